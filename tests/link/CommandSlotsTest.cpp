// Command slots: wire bytes, both wire forms, the shared countdown, confirmation and re-arming.
#include "LinkTestSupport.h"

using namespace linktest;

class CommandSlotsTest : public LinkFixture {
protected:
    // A cycle that receives one frame, so Send runs.
    void SendingCycle(detlink::TelemetryWord word = Word(1, 0)) { Tick(word); }
    std::vector<int> SentCodes() const {
        std::vector<int> codes;
        for (const auto& w : port.writes) {
            codes.push_back((w[0] >> 5) & 3);
        }
        return codes;
    }
};

TEST_F(CommandSlotsTest, QueueCommand0BytesAndTwoByteFormOutLine) {
    EnableLog();
    OpenPort();
    link.QueueCommand0(5, 10, 1, 1);
    EXPECT_EQ(link.Cmd.Cmd[0].Bytes, (std::array<std::uint8_t, 3>{0x15, 0xAA, 0xBF}));
    SendingCycle();
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0], (std::vector<std::uint8_t>{0x15, 0xAA, 0x15, 0xAA}));
    EXPECT_EQ(
        LogTexts().back(),
        "Out:[15 AA 15 AA] send:4 bytes o_code:0 o_adr:5 o_ctrl_pp_mp:1 o_senspp:10 o_state:1  ");
}

TEST_F(CommandSlotsTest, ThreeByteFormWhenDetectorTakesCheckByte) {
    EnableLog();
    OpenPort();
    Tick(Word(6, 1 << 12));
    link.QueueCommand3(2, 7);
    SendingCycle();
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0].size(), 3u);
    EXPECT_EQ(LogTexts().back().substr(LogTexts().back().find("bytes ")),
              "bytes o_code:3 o_symbol:2/C o_number:7");
}

TEST_F(CommandSlotsTest, FillMasksArgumentsAndLogTextsDecodeThem) {
    detlink::CommandSlots slots;
    slots.QueueCommand1(33, 31, 6);
    EXPECT_EQ(slots.SlotLogText(1), "o_code:1 o_sensmp:1 o_sensbp:31 o_letter:2  ");
    slots.QueueCommand2(3, 2, 40, 1);
    EXPECT_EQ(slots.SlotLogText(2), "o_code:2 o_vel_min:3 o_vel_max:2 o_dist:8 o_reg:1  ");
    for (const auto& slot : slots.Cmd) {
        if (slot.bSend) {
            EXPECT_EQ(slot.Bytes[2], 0x80 + (slot.Bytes[0] + slot.Bytes[1]) % 128);
            EXPECT_EQ(slot.Bytes[0] & 0x80, 0);
            EXPECT_EQ(slot.Bytes[1] & 0x80, 0x80);
        }
    }
}

TEST_F(CommandSlotsTest, NothingArmedSendsAndLogsNothingAndKeepsCountdown) {
    EnableLog();
    OpenPort();
    const std::size_t lines = LogTexts().size();
    link.Send();
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(LogTexts().size(), lines);
    EXPECT_EQ(link.Cmd.iSendRepeat, 3);
}

TEST_F(CommandSlotsTest, CountdownIsSharedAcrossSlotsInPriorityOrder) {
    OpenPort();
    link.QueueCommand2(1, 1, 3, 0);
    SendingCycle();
    link.QueueCommand0(1, 2, 0, 0);
    for (int i = 0; i < 6; ++i) {
        SendingCycle();
    }
    // Slot 0 takes over the countdown at 2 and goes out twice; then slot 2 resumes.
    EXPECT_EQ(SentCodes(), (std::vector<int>{2, 0, 0, 2, 2, 2}));
    EXPECT_FALSE(link.bMoreToSend());
    EXPECT_TRUE(link.Cmd.Cmd[0].bAwait);
    EXPECT_TRUE(link.Cmd.Cmd[2].bAwait);
}

TEST_F(CommandSlotsTest, ConfirmationStopsRepeatsAndCountdownCarriesOn) {
    OpenPort();
    link.QueueCommand2(1, 2, 3, 1);
    SendingCycle();
    Tick(Word(4, (1 << 5) | 3));
    Tick(Word(5, (2 << 2) | 1));
    EXPECT_FALSE(link.Cmd.Cmd[2].bAwait);
    EXPECT_FALSE(link.Cmd.Cmd[2].bSend);
    EXPECT_EQ(port.writes.size(), 2u); // the kind-4 cycle still sent before kind 5 confirmed
    EXPECT_EQ(link.Cmd.iSendRepeat, 1);
    SendingCycle();
    EXPECT_EQ(port.writes.size(), 2u);
}

TEST_F(CommandSlotsTest, CalibrationConfirmationComparesStateWithCode) {
    OpenPort();
    link.QueueCommand0(0, 0, 1, 0);
    link.ApplyTelemetry(Word(2, 0));
    EXPECT_TRUE(link.Cmd.Cmd[0].bAwait);
    link.ApplyTelemetry(Word(2, 2 << 10));
    EXPECT_FALSE(link.Cmd.Cmd[0].bAwait);
}

TEST_F(CommandSlotsTest, UnconfirmedCommandsAreRearmedAtEveryFullCycleWhileConnected) {
    OpenPort();
    FullCycle();
    link.QueueCommand1(9, 9, 1);
    for (int i = 0; i < 3; ++i) {
        SendingCycle();
    }
    ASSERT_FALSE(link.Cmd.Cmd[1].bSend);
    const std::size_t sent = port.writes.size();
    FullCycle();
    EXPECT_EQ(link.eDeviceState, detlink::EDevRefresh);
    EXPECT_GT(port.writes.size(), sent);
    EXPECT_TRUE(link.Cmd.Cmd[1].bAwait);
}

TEST_F(CommandSlotsTest, RefusedPositionIsRearmedByEveryPositionWord) {
    OpenPort();
    link.QueueCommand3(1, 5);
    for (int i = 0; i < 3; ++i) {
        SendingCycle();
    }
    ASSERT_FALSE(link.Cmd.Cmd[3].bSend);
    Tick(Word(0, (0 << 9) | 4));
    EXPECT_EQ(port.writes.size(), 4u);
    EXPECT_TRUE(link.Cmd.Cmd[3].bAwait);
    Tick(Word(0, (1 << 9) | 5));
    EXPECT_FALSE(link.Cmd.Cmd[3].bAwait);
}

TEST_F(CommandSlotsTest, StatusResetClearsOnlySlotZero) {
    OpenPort();
    link.QueueCommand0(1, 1, 0, 0);
    link.QueueCommand1(1, 1, 1);
    link.ResetStatus();
    EXPECT_FALSE(link.Cmd.Cmd[0].bSend || link.Cmd.Cmd[0].bAwait);
    EXPECT_TRUE(link.Cmd.Cmd[1].bSend && link.Cmd.Cmd[1].bAwait);
    EXPECT_FALSE(link.bMoreToSend());
}

// Every field a distinct value near its width, so a swapped or narrowed field shows.
TEST(CommandFields, DecodersReadBackWhatTheFillsEncode) {
    detlink::CommandSlots slots;
    slots.QueueCommand0(12, 30, 1, 1);
    slots.QueueCommand1(29, 3, 2);
    slots.QueueCommand2(2, 3, 31, 1);
    slots.QueueCommand3(14, 99);
    EXPECT_EQ(slots.Slot0(), (detlink::Command0Fields{12, 30, 1, 1}));
    EXPECT_EQ(slots.Slot1(), (detlink::Command1Fields{29, 3, 2}));
    EXPECT_EQ(slots.Slot2(), (detlink::Command2Fields{2, 3, 31, 1}));
    EXPECT_EQ(slots.Slot3(), (detlink::Command3Fields{14, 99}));
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(detlink::CommandCode(slots.Cmd[static_cast<std::size_t>(k)].Bytes), k);
    }
}

TEST(CommandFields, ArmFillsOnlyTheSlotsOfTheBatch) {
    detlink::CommandSlots slots;
    slots.Arm({});
    EXPECT_FALSE(slots.bMoreToSend);
    EXPECT_FALSE(slots.AnyToSend());
    slots.Arm({.command0 = detlink::Command0Fields{3, 4, 0, 1},
               .command3 = detlink::Command3Fields{5, 42}});
    EXPECT_TRUE(slots.bMoreToSend);
    EXPECT_TRUE(slots.Cmd[0].bSend && slots.Cmd[0].bAwait);
    EXPECT_TRUE(slots.Cmd[3].bSend && slots.Cmd[3].bAwait);
    EXPECT_FALSE(slots.Cmd[1].bSend || slots.Cmd[1].bAwait);
    EXPECT_FALSE(slots.Cmd[2].bSend || slots.Cmd[2].bAwait);
    EXPECT_EQ(slots.Slot0(), (detlink::Command0Fields{3, 4, 0, 1}));
    EXPECT_EQ(slots.Slot3(), (detlink::Command3Fields{5, 42}));
}
