// The rules that choose commands: the Settings page's Apply, the switch out of Auto.3 and the
// calibration switch, each against the detector's status and the pending slots.
#include "link/CommandRules.h"
#include "catalogue/DetectorCatalogue.h"

#include <gtest/gtest.h>

#include <ostream>

namespace detlink {

// Failure output names every field of every command in the batch.
void PrintTo(const CommandBatch& b, std::ostream* os) {
    *os << "{";
    if (b.command2) {
        *os << " 2:" << b.command2->vel_min << "/" << b.command2->vel_max << "/" << b.command2->dist
            << "/" << b.command2->reg;
    }
    if (b.command0) {
        *os << " 0:" << b.command0->adr << "/" << b.command0->senspp << "/" << b.command0->state
            << "/" << b.command0->ctrl_pp_mp;
    }
    if (b.command1) {
        *os << " 1:" << b.command1->sensmp << "/" << b.command1->sensbp << "/"
            << b.command1->letter;
    }
    if (b.command3) {
        *os << " 3:" << b.command3->symbol << "/" << b.command3->number;
    }
    *os << " }";
}

namespace {

using namespace catalogue;

// Position C07, Auto at zone index 16, thresholds at step 7, speeds 1/1, address 1, letter 0.
DetectorStatus Detector() {
    DetectorStatus d{};
    d.w0.symbol = 2;
    d.w0.number = 7;
    d.w3.senspp = 7;
    d.w3.sensmp = 7;
    d.w4.sensbp = 7;
    d.w4.dist = 16;
    d.w4.reg = RegAuto;
    d.w5.vel_min = 1;
    d.w5.vel_max = 1;
    d.w6.adr = 1;
    d.w6.cs = 1;
    return d;
}

// The boxes as a fresh load from Detector() leaves them.
SettingsSelection Loaded() {
    return {.method = MethodAuto,
            .zone = 14,
            .pl = 7,
            .ll = 7,
            .hl = 7,
            .vel_min = 1,
            .vel_max = 1,
            .address = 0,
            .letter = 0,
            .symbol = 2,
            .tens = 0,
            .units = 7,
            .addressShown = false,
            .letterEnabled = true,
            .positionShown = true};
}

struct ApplyCase {
    const char* name;
    void (*edit)(DetectorStatus&, SettingsSelection&);
    CommandBatch armed;
};
void PrintTo(const ApplyCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsApply : public testing::TestWithParam<ApplyCase> {};

TEST_P(SettingsApply, ArmsTheGroupsThatDiffer) {
    DetectorStatus status = Detector();
    SettingsSelection chosen = Loaded();
    GetParam().edit(status, chosen);
    EXPECT_EQ(SettingsApplyCommands(status, chosen), GetParam().armed);
}

using S = DetectorStatus;
using C = SettingsSelection;

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsApply,
    testing::Values(
        ApplyCase{"NothingChanged", [](S&, C&) {}, {}},
        ApplyCase{"Speed",
                  [](S&, C& c) { c.vel_max = 3; },
                  {.command2 = Command2Fields{1, 3, 16, RegAuto}}},
        ApplyCase{"Zone",
                  [](S&, C& c) { c.zone = 0; },
                  {.command2 = Command2Fields{1, 1, 2, RegAuto}}},
        ApplyCase{"ManualWithTheSameThresholds",
                  [](S&, C& c) { c.method = MethodManual; },
                  {.command2 = Command2Fields{1, 1, 16, RegManual}}},
        ApplyCase{"Pl",
                  [](S&, C& c) { c.pl = 9; },
                  {.command0 = Command0Fields{1, 9, 0, 0}}},
        ApplyCase{"Hl",
                  [](S&, C& c) { c.hl = 20; },
                  {.command1 = Command1Fields{7, 20, 0}}},
        ApplyCase{"Letter",
                  [](S&, C& c) { c.letter = 2; },
                  {.command1 = Command1Fields{7, 7, 2}}},
        ApplyCase{"PositionTensOnly",
                  [](S&, C& c) { c.tens = 1; },
                  {.command3 = Command3Fields{2, 17}}},
        ApplyCase{"PositionSymbolAndUnits",
                  [](S&, C& c) {
                      c.symbol = 13;
                      c.units = 3;
                  },
                  {.command3 = Command3Fields{13, 3}}},
        ApplyCase{"Special1WithItsThresholds",
                  [](S&, C& c) {
                      c.method = MethodSpecial1;
                      c.pl = 9;
                      c.ll = 3;
                  },
                  {.command2 = Command2Fields{1, 1, 16, RegSpecial},
                   .command0 = Command0Fields{1, 9, 0, 0},
                   .command1 = Command1Fields{3, 7, 0}}},
        ApplyCase{"Special2SetsTheHlOnlyBit",
                  [](S&, C& c) { c.method = MethodSpecial2; },
                  {.command2 = Command2Fields{1, 1, 16, RegSpecial},
                   .command0 = Command0Fields{1, 7, 0, 1}}},
        ApplyCase{"Special2AlreadyInForce",
                  [](S& s, C& c) {
                      s.w4.reg = RegSpecial;
                      s.w3.ctrl_pp_mp = 1;
                      c.method = MethodSpecial2;
                  },
                  {}},
        ApplyCase{"LeavingSpecial2ClearsTheBit",
                  [](S& s, C&) {
                      s.w4.reg = RegSpecial;
                      s.w3.ctrl_pp_mp = 1;
                  },
                  {.command2 = Command2Fields{1, 1, 16, RegAuto},
                   .command0 = Command0Fields{1, 7, 0, 0}}},
        // Empty boxes: the group that reads one stays out, the others go.
        ApplyCase{"ZoneEmpty",
                  [](S&, C& c) {
                      c.zone.reset();
                      c.vel_max = 3;
                      c.pl = 9;
                  },
                  {.command0 = Command0Fields{1, 9, 0, 0}}},
        ApplyCase{"SpeedEmpty",
                  [](S&, C& c) {
                      c.vel_min.reset();
                      c.zone = 0;
                  },
                  {}},
        ApplyCase{"MethodEmpty",
                  [](S&, C& c) {
                      c.method.reset();
                      c.vel_max = 3;
                      c.pl = 9;
                      c.ll = 3;
                  },
                  {.command1 = Command1Fields{3, 7, 0}}},
        ApplyCase{"ManualDashesLeavePlAndItsFollowersOut",
                  [](S&, C& c) {
                      c.method = MethodManual;
                      c.pl.reset();
                      c.ll = 18;
                      c.hl = 18;
                  },
                  {.command2 = Command2Fields{1, 1, 16, RegManual}}},
        ApplyCase{"PlEmptyOutsideManualKeepsLlAndHl",
                  [](S&, C& c) {
                      c.method = MethodSpecial1;
                      c.pl.reset();
                      c.ll = 3;
                  },
                  {.command2 = Command2Fields{1, 1, 16, RegSpecial},
                   .command1 = Command1Fields{3, 7, 0}}},
        ApplyCase{"ThresholdEmpty",
                  [](S&, C& c) {
                      c.ll.reset();
                      c.hl = 20;
                  },
                  {}},
        ApplyCase{"LetterEmpty",
                  [](S&, C& c) {
                      c.letter.reset();
                      c.ll = 3;
                  },
                  {}},
        ApplyCase{"PositionEmpty",
                  [](S&, C& c) {
                      c.units.reset();
                      c.symbol = 5;
                  },
                  {}},
        ApplyCase{"AddressEmpty",
                  [](S&, C& c) {
                      c.addressShown = true;
                      c.address.reset();
                      c.pl = 9;
                  },
                  {}},
        // A short firmware lacks "Special 2-HL", so its method box is empty.
        ApplyCase{"ShortFirmwareInSpecial2",
                  [](S& s, C& c) {
                      s.w6.cs = 0;
                      s.w4.reg = RegSpecial;
                      s.w3.ctrl_pp_mp = 1;
                      c.method.reset();
                      c.vel_max = 3;
                      c.ll = 3;
                  },
                  {.command1 = Command1Fields{3, 7, 0}}},
        ApplyCase{"AddressShownAndUnchanged", [](S&, C& c) { c.addressShown = true; }, {}},
        ApplyCase{"AddressZeroCorrectedOnEntry",
                  [](S& s, C& c) {
                      s.w6.adr = 0;
                      c.addressShown = true;
                      c.address = 1;
                  },
                  {.command0 = Command0Fields{2, 7, 0, 0}}},
        ApplyCase{"Address13CorrectedWithTheOtherDifferences",
                  [](S& s, C& c) {
                      s.w6.adr = 13;
                      c.addressShown = true;
                      c.address = 1;
                      c.vel_min = 0;
                      c.hl = 9;
                  },
                  {.command2 = Command2Fields{0, 1, 16, RegAuto},
                   .command0 = Command0Fields{2, 7, 0, 0},
                   .command1 = Command1Fields{7, 9, 0}}},
        ApplyCase{"AddressHiddenKeepsTheDetectorsAddress",
                  [](S& s, C& c) {
                      s.w6.adr = 13;
                      c.address = 4;
                      c.pl = 9;
                  },
                  {.command0 = Command0Fields{13, 9, 0, 0}}},
        ApplyCase{"LetterDisabledUsesTheDetectorsLetter",
                  [](S& s, C& c) {
                      s.w6.letter = 2;
                      c.letterEnabled = false;
                      c.letter = 3;
                      c.ll = 3;
                  },
                  {.command1 = Command1Fields{3, 7, 2}}},
        ApplyCase{"LetterDisabledAndEmpty",
                  [](S& s, C& c) {
                      s.w6.letter = 2;
                      c.letterEnabled = false;
                      c.letter.reset();
                      c.ll = 3;
                  },
                  {.command1 = Command1Fields{3, 7, 2}}},
        ApplyCase{"PositionHidden",
                  [](S&, C& c) {
                      c.positionShown = false;
                      c.symbol = 5;
                  },
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetupCase {
    const char* name;
    void (*edit)(DetectorStatus&, SetupSelection&);
    CommandBatch armed;
};
void PrintTo(const SetupCase& c, std::ostream* os) {
    *os << c.name;
}

class SetupApply : public testing::TestWithParam<SetupCase> {};

// The controls as Cancel leaves them for Detector(): Auto, zone item 14, step 7 (86 %).
TEST_P(SetupApply, ArmsTheSlotsThatDiffer) {
    DetectorStatus status = Detector();
    SetupSelection chosen{.method = MethodAuto, .zone = 14, .sensitivity = 86};
    GetParam().edit(status, chosen);
    EXPECT_EQ(SetupApplyCommands(status, chosen), GetParam().armed);
}

using U = SetupSelection;

INSTANTIATE_TEST_SUITE_P(
    Cases, SetupApply,
    testing::Values(
        SetupCase{"NothingChanged", [](S&, U&) {}, {}},
        SetupCase{
            "Zone", [](S&, U& c) { c.zone = 0; }, {.command2 = Command2Fields{1, 1, 2, RegAuto}}},
        SetupCase{"ManualKeepsTheShownZoneAndTheSpeeds",
                  [](S& s, U& c) {
                      s.w5.vel_min = 2;
                      s.w5.vel_max = 3;
                      c.method = MethodManual;
                  },
                  {.command2 = Command2Fields{2, 3, 16, RegManual}}},
        SetupCase{"AutoFromAuto3",
                  [](S& s, U&) { s.w4.reg = RegAuto3; },
                  {.command2 = Command2Fields{1, 1, 16, RegAuto}}},
        SetupCase{"SpecialSendsNoZoneOrMethod",
                  [](S& s, U& c) {
                      s.w4.reg = RegSpecial;
                      c.method = 2;
                      c.zone = 0;
                  },
                  {}},
        // 70 % is step 15; an odd value truncates to the step below it.
        SetupCase{"SensitivityToAllThree",
                  [](S&, U& c) { c.sensitivity = 70; },
                  {.command0 = Command0Fields{1, 15, 0, 0}, .command1 = Command1Fields{15, 15, 0}}},
        SetupCase{"OddSensitivityTruncates", [](S&, U& c) { c.sensitivity = 85; }, {}},
        SetupCase{"OnlyPlDiffers",
                  [](S& s, U&) { s.w3.senspp = 9; },
                  {.command0 = Command0Fields{1, 7, 0, 0}}},
        SetupCase{"OnlyHlDiffers",
                  [](S& s, U&) { s.w4.sensbp = 9; },
                  {.command1 = Command1Fields{7, 7, 0}}},
        SetupCase{"HlOnlyBitIsAlwaysCleared",
                  [](S& s, U&) { s.w3.ctrl_pp_mp = 1; },
                  {.command0 = Command0Fields{1, 7, 0, 0}}},
        SetupCase{"AddressAndLetterUnchanged",
                  [](S& s, U& c) {
                      s.w6.adr = 12;
                      s.w6.letter = 3;
                      c.sensitivity = 100;
                  },
                  {.command0 = Command0Fields{12, 0, 0, 0}, .command1 = Command1Fields{0, 0, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SlotCase {
    const char* name;
    // The slot as the rule finds it: filled with these fields, then left awaiting or not.
    std::optional<Command2Fields> slot;
    bool awaiting;
    int reg;
    CommandBatch armed;
};
void PrintTo(const SlotCase& c, std::ostream* os) {
    *os << c.name;
}

class AutoRegulation : public testing::TestWithParam<SlotCase> {};

TEST_P(AutoRegulation, SwitchesAuto3ToAuto) {
    const SlotCase& c = GetParam();
    DetectorStatus status = Detector();
    status.w4.reg = c.reg;
    CommandSlots slots;
    if (c.slot) {
        slots.Arm({.command2 = c.slot});
    }
    slots.Cmd[2].bAwait = c.awaiting;
    EXPECT_EQ(AutoRegulationCommands(status, slots), c.armed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutoRegulation,
    testing::Values(
        SlotCase{"Auto", std::nullopt, false, RegAuto, {}},
        SlotCase{"Auto3SlotIdle",
                 std::nullopt,
                 false,
                 RegAuto3,
                 {.command2 = Command2Fields{1, 1, 16, RegAuto}}},
        // A confirmed command's bytes stay behind; they are not the detector's now.
        SlotCase{"Auto3SlotConfirmedEarlier",
                 Command2Fields{3, 2, 10, RegManual},
                 false,
                 RegAuto3,
                 {.command2 = Command2Fields{1, 1, 16, RegAuto}}},
        SlotCase{"Auto3SlotAwaitingAnotherReg",
                 Command2Fields{3, 2, 10, RegManual},
                 true,
                 RegAuto3,
                 {.command2 = Command2Fields{3, 2, 10, RegAuto}}},
        SlotCase{"Auto3SlotAwaitingAuto", Command2Fields{3, 2, 10, RegAuto}, true, RegAuto3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CalibrationCase {
    const char* name;
    std::optional<Command0Fields> slot;
    bool awaiting;
    int o_state;
    CommandBatch armed;
};
void PrintTo(const CalibrationCase& c, std::ostream* os) {
    *os << c.name;
}

class CalibrationSwitch : public testing::TestWithParam<CalibrationCase> {};

TEST_P(CalibrationSwitch, ArmsSlotZero) {
    const CalibrationCase& c = GetParam();
    DetectorStatus status = Detector();
    status.w3.ctrl_pp_mp = 1;
    CommandSlots slots;
    if (c.slot) {
        slots.Arm({.command0 = c.slot});
    }
    slots.Cmd[0].bAwait = c.awaiting;
    EXPECT_EQ(CalibrationCommands(status, slots, c.o_state), c.armed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalibrationSwitch,
    testing::Values(
        CalibrationCase{
            "OnWithSlotIdle", std::nullopt, false, 1, {.command0 = Command0Fields{1, 7, 1, 1}}},
        CalibrationCase{"OffWithSlotConfirmedEarlier",
                        Command0Fields{5, 20, 1, 0},
                        false,
                        0,
                        {.command0 = Command0Fields{1, 7, 0, 1}}},
        CalibrationCase{"OffWhileOnAwaits",
                        Command0Fields{5, 20, 1, 0},
                        true,
                        0,
                        {.command0 = Command0Fields{5, 20, 0, 0}}},
        CalibrationCase{"OnWhileOffAwaits",
                        Command0Fields{5, 20, 0, 0},
                        true,
                        1,
                        {.command0 = Command0Fields{5, 20, 1, 0}}},
        CalibrationCase{"OffWhileOffAwaits", Command0Fields{5, 20, 0, 0}, true, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace detlink
