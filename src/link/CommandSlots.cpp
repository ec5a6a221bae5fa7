// Command bytes, their log texts and the confirmation tests.
#include "link/CommandSlots.h"

namespace detlink {

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

void CommandSlots::Confirm(int k, const DetectorStatus& s) {
    PendingCommand& slot = Cmd[static_cast<std::size_t>(k)];
    if (!slot.bAwait) {
        return;
    }
    const int b0 = slot.Bytes[0];
    const int b1 = slot.Bytes[1];
    bool confirmed = false;
    switch (k) {
    case 0:
        confirmed = ((b1 >> 5) & 3) == (s.w2.state == 2 ? 1 : 0) &&
                    ((b0 >> 4) & 1) == s.w3.ctrl_pp_mp && (b1 & 31) == s.w3.senspp &&
                    (b0 & 15) == s.w6.adr;
        break;
    case 1:
        confirmed =
            (b0 & 31) == s.w3.sensmp && (b1 & 31) == s.w4.sensbp && ((b1 >> 5) & 3) == s.w6.letter;
        break;
    case 2:
        confirmed = (b0 & 3) == s.w5.vel_min && ((b0 >> 2) & 3) == s.w5.vel_max &&
                    (b1 & 31) == s.w4.dist && ((b1 >> 5) & 3) == s.w4.reg;
        break;
    default:
        confirmed = ((b0 >> 1) & 15) == s.w0.symbol && (b1 & 127) == s.w0.number;
        if (!confirmed) {
            // A position the detector has not taken goes out again without waiting a cycle.
            slot.bSend = true;
            bMoreToSend = true;
        }
        break;
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
    const auto& b = Cmd[static_cast<std::size_t>(k)].Bytes;
    auto f = [](const char* label, int value) { return label + std::to_string(value); };
    std::string text = f("o_code:", (b[0] >> 5) & 3);
    switch (k) {
    case 0:
        return text + f(" o_adr:", b[0] & 15) + f(" o_ctrl_pp_mp:", (b[0] >> 4) & 1) +
               f(" o_senspp:", b[1] & 31) + f(" o_state:", (b[1] >> 5) & 3) + "  ";
    case 1:
        return text + f(" o_sensmp:", b[0] & 31) + f(" o_sensbp:", b[1] & 31) +
               f(" o_letter:", (b[1] >> 5) & 3) + "  ";
    case 2:
        return text + f(" o_vel_min:", b[0] & 3) + f(" o_vel_max:", (b[0] >> 2) & 3) +
               f(" o_dist:", b[1] & 31) + f(" o_reg:", (b[1] >> 5) & 3) + "  ";
    default: {
        const int symbol = (b[0] >> 1) & 15;
        return text + f(" o_symbol:", symbol) + "/" + static_cast<char>(65 + symbol) +
               f(" o_number:", b[1] & 127);
    }
    }
}

} // namespace detlink
