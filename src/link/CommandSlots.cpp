// Command bytes, their log texts and the confirmation tests.
#include "link/CommandSlots.h"

#include "catalogue/DetectorCatalogue.h"

namespace detlink {

int CommandCode(std::span<const std::uint8_t> bytes) {
    return (bytes[0] >> 5) & 3;
}

Command0Fields DecodeCommand0(std::span<const std::uint8_t> bytes) {
    return {.adr = bytes[0] & 15,
            .senspp = bytes[1] & 31,
            .state = (bytes[1] >> 5) & 3,
            .ctrl_pp_mp = (bytes[0] >> 4) & 1};
}

Command1Fields DecodeCommand1(std::span<const std::uint8_t> bytes) {
    return {.sensmp = bytes[0] & 31, .sensbp = bytes[1] & 31, .letter = (bytes[1] >> 5) & 3};
}

Command2Fields DecodeCommand2(std::span<const std::uint8_t> bytes) {
    return {.vel_min = bytes[0] & 3,
            .vel_max = (bytes[0] >> 2) & 3,
            .dist = bytes[1] & 31,
            .reg = (bytes[1] >> 5) & 3};
}

Command3Fields DecodeCommand3(std::span<const std::uint8_t> bytes) {
    return {.symbol = (bytes[0] >> 1) & 15, .number = bytes[1] & 127};
}

void CommandSlots::Fill(int k, int byte0Payload, int byte1) {
    PendingCommand& slot = Cmd[static_cast<std::size_t>(k)];
    const int b0 = ((k & 3) << 5) | (byte0Payload & 0x1F);
    const int b1 = 0x80 | (byte1 & 0x7F);
    slot.Bytes = {static_cast<std::uint8_t>(b0), static_cast<std::uint8_t>(b1),
                  static_cast<std::uint8_t>(0x80 + ((b0 + b1) % 128))};
    slot.bAwait = true;
    slot.bSend = true;
    bMoreToSend = true;
}

void CommandSlots::QueueCommand0(int adr, int senspp, int state, int ctrl_pp_mp) {
    Fill(0, ((ctrl_pp_mp & 1) << 4) | (adr & 15), ((state & 3) << 5) | (senspp & 31));
}

void CommandSlots::QueueCommand1(int sensmp, int sensbp, int letter) {
    Fill(1, sensmp & 31, ((letter & 3) << 5) | (sensbp & 31));
}

void CommandSlots::QueueCommand2(int vel_min, int vel_max, int dist, int reg) {
    Fill(2, ((vel_max & 3) << 2) | (vel_min & 3), ((reg & 3) << 5) | (dist & 31));
}

void CommandSlots::QueueCommand3(int symbol, int number) {
    Fill(3, (symbol & 15) << 1, number & 127);
}

void CommandSlots::Arm(const CommandBatch& batch) {
    if (const auto& c = batch.command2) {
        QueueCommand2(c->vel_min, c->vel_max, c->dist, c->reg);
    }
    if (const auto& c = batch.command0) {
        QueueCommand0(c->adr, c->senspp, c->state, c->ctrl_pp_mp);
    }
    if (const auto& c = batch.command1) {
        QueueCommand1(c->sensmp, c->sensbp, c->letter);
    }
    if (const auto& c = batch.command3) {
        QueueCommand3(c->symbol, c->number);
    }
}

bool HoldsSettings(const DetectorStatus& s, const Command0Fields& c) {
    return c.ctrl_pp_mp == s.w3.ctrl_pp_mp && c.senspp == s.w3.senspp && c.adr == s.w6.adr;
}

bool HoldsSettings(const DetectorStatus& s, const Command1Fields& c) {
    return c.sensmp == s.w3.sensmp && c.sensbp == s.w4.sensbp && c.letter == s.w6.letter;
}

bool HoldsSettings(const DetectorStatus& s, const Command2Fields& c) {
    return c.vel_min == s.w5.vel_min && c.vel_max == s.w5.vel_max && c.dist == s.w4.dist &&
           c.reg == s.w4.reg;
}

bool HoldsSettings(const DetectorStatus& s, const Command3Fields& c) {
    return c.symbol == s.w0.symbol && c.number == s.w0.number;
}

void TakeSettings(DetectorStatus& s, const Command0Fields& c) {
    s.w3.ctrl_pp_mp = static_cast<decltype(s.w3.ctrl_pp_mp)>(c.ctrl_pp_mp);
    s.w3.senspp = static_cast<decltype(s.w3.senspp)>(c.senspp);
    s.w6.adr = static_cast<decltype(s.w6.adr)>(c.adr);
}

void TakeSettings(DetectorStatus& s, const Command1Fields& c) {
    s.w3.sensmp = static_cast<decltype(s.w3.sensmp)>(c.sensmp);
    s.w4.sensbp = static_cast<decltype(s.w4.sensbp)>(c.sensbp);
    s.w6.letter = static_cast<decltype(s.w6.letter)>(c.letter);
}

void TakeSettings(DetectorStatus& s, const Command2Fields& c) {
    s.w5.vel_min = static_cast<decltype(s.w5.vel_min)>(c.vel_min);
    s.w5.vel_max = static_cast<decltype(s.w5.vel_max)>(c.vel_max);
    s.w4.dist = static_cast<decltype(s.w4.dist)>(c.dist);
    s.w4.reg = static_cast<decltype(s.w4.reg)>(c.reg);
}

void TakeSettings(DetectorStatus& s, const Command3Fields& c) {
    s.w0.symbol = static_cast<decltype(s.w0.symbol)>(c.symbol);
    s.w0.number = static_cast<decltype(s.w0.number)>(c.number);
}

void CommandSlots::Confirm(int k, const DetectorStatus& s) {
    PendingCommand& slot = Cmd[static_cast<std::size_t>(k)];
    if (!slot.bAwait) {
        return;
    }
    bool confirmed = false;
    switch (k) {
    case 0: {
        const Command0Fields c = Slot0();
        confirmed =
            c.state == (s.w2.state == catalogue::StateCalibration ? 1 : 0) && HoldsSettings(s, c);
        break;
    }
    case 1:
        confirmed = HoldsSettings(s, Slot1());
        break;
    case 2:
        confirmed = HoldsSettings(s, Slot2());
        break;
    default: {
        confirmed = HoldsSettings(s, Slot3());
        if (!confirmed) {
            // A position the detector has not taken goes out again without waiting a cycle.
            slot.bSend = true;
            bMoreToSend = true;
        }
        break;
    }
    }
    if (confirmed) {
        slot.bAwait = false;
        slot.bSend = false;
    }
}

void CommandSlots::RearmAwaiting() {
    for (PendingCommand& slot : Cmd) {
        slot.bSend = slot.bAwait;
    }
}

bool CommandSlots::AnyToSend() const {
    for (const PendingCommand& slot : Cmd) {
        if (slot.bSend) {
            return true;
        }
    }
    return false;
}

std::string CommandSlots::SlotLogText(int k) const {
    auto f = [](const char* label, int value) { return label + std::to_string(value); };
    const std::string text = f("o_code:", CommandCode(Cmd[static_cast<std::size_t>(k)].Bytes));
    switch (k) {
    case 0: {
        const Command0Fields c = Slot0();
        return text + f(" o_adr:", c.adr) + f(" o_ctrl_pp_mp:", c.ctrl_pp_mp) +
               f(" o_senspp:", c.senspp) + f(" o_state:", c.state) + "  ";
    }
    case 1: {
        const Command1Fields c = Slot1();
        return text + f(" o_sensmp:", c.sensmp) + f(" o_sensbp:", c.sensbp) +
               f(" o_letter:", c.letter) + "  ";
    }
    case 2: {
        const Command2Fields c = Slot2();
        return text + f(" o_vel_min:", c.vel_min) + f(" o_vel_max:", c.vel_max) +
               f(" o_dist:", c.dist) + f(" o_reg:", c.reg) + "  ";
    }
    default: {
        const Command3Fields c = Slot3();
        return text + f(" o_symbol:", c.symbol) + "/" + static_cast<char>(65 + c.symbol) +
               f(" o_number:", c.number);
    }
    }
}

} // namespace detlink
