// The rules that choose the commands the pages arm.
#include "link/CommandRules.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/ValueScales.h"

namespace detlink {

namespace {

std::optional<catalogue::Method> MethodOf(const std::optional<int>& position) {
    if (!position) {
        return std::nullopt;
    }
    return catalogue::MethodOfPosition(*position);
}

} // namespace

// A group is armed only when every box it reads has a selection: an empty box (a value the
// detector reported that the list lacks, or "---" in Manual) would otherwise put a value on
// the wire that the operator never chose. In Manual the LL and HL boxes follow PL, so they
// count as unselected with it.
CommandBatch SettingsApplyCommands(const DetectorStatus& s, const SettingsSelection& chosen) {
    CommandBatch batch;
    const std::optional<catalogue::Method> method = MethodOf(chosen.method);

    if (method && chosen.vel_min && chosen.vel_max && chosen.zone) {
        const Command2Fields c{*chosen.vel_min, *chosen.vel_max,
                               *chosen.zone + catalogue::kFirstZoneIndex, method->reg};
        if (c.vel_min != s.w5.vel_min || c.vel_max != s.w5.vel_max || c.dist != s.w4.dist ||
            c.reg != s.w4.reg) {
            batch.command2 = c;
        }
    }

    const bool addressChosen = !chosen.addressShown || chosen.address;
    if (method && chosen.pl && addressChosen) {
        const int adr = chosen.addressShown ? *chosen.address + 1 : s.w6.adr;
        const Command0Fields c{adr, *chosen.pl, 0, method->ctrl_pp_mp};
        if (c.adr != s.w6.adr || c.senspp != s.w3.senspp || c.ctrl_pp_mp != s.w3.ctrl_pp_mp) {
            batch.command0 = c;
        }
    }

    const bool manual = method && method->reg == catalogue::RegManual;
    const bool thresholdsChosen = chosen.ll && chosen.hl && (!manual || chosen.pl);
    const bool letterChosen = !chosen.letterEnabled || chosen.letter;
    if (thresholdsChosen && letterChosen) {
        const int letter = chosen.letterEnabled ? *chosen.letter : s.w6.letter;
        const Command1Fields c{*chosen.ll, *chosen.hl, letter};
        if (c.letter != s.w6.letter || c.sensmp != s.w3.sensmp || c.sensbp != s.w4.sensbp) {
            batch.command1 = c;
        }
    }

    if (chosen.positionShown && chosen.symbol && chosen.tens && chosen.units) {
        if (*chosen.symbol != s.w0.symbol || *chosen.tens != (s.w0.number / 10) % 10 ||
            *chosen.units != s.w0.number % 10) {
            batch.command3 = Command3Fields{*chosen.symbol, *chosen.tens * 10 + *chosen.units};
        }
    }
    return batch;
}

CommandBatch SetupApplyCommands(const DetectorStatus& s, const SetupSelection& chosen) {
    CommandBatch batch;
    if (chosen.method == catalogue::MethodAuto || chosen.method == catalogue::MethodManual) {
        const int reg =
            chosen.method == catalogue::MethodAuto ? catalogue::RegAuto : catalogue::RegManual;
        const int dist = chosen.zone + catalogue::kFirstZoneIndex;
        if (dist != s.w4.dist || reg != s.w4.reg) {
            batch.command2 = Command2Fields{s.w5.vel_min, s.w5.vel_max, dist, reg};
        }
    }
    const int step = catalogue::IndexOfSens(chosen.sensitivity);
    if (step != s.w3.senspp || s.w3.ctrl_pp_mp == 1) {
        batch.command0 = Command0Fields{s.w6.adr, step, 0, 0};
    }
    if (step != s.w3.sensmp || step != s.w4.sensbp) {
        batch.command1 = Command1Fields{step, step, s.w6.letter};
    }
    return batch;
}

CommandBatch AutoRegulationCommands(const DetectorStatus& s, const CommandSlots& slots) {
    CommandBatch batch;
    if (s.w4.reg != catalogue::RegAuto3) {
        return batch;
    }
    if (!slots.Cmd[2].bAwait) {
        batch.command2 = Command2Fields{s.w5.vel_min, s.w5.vel_max, s.w4.dist, catalogue::RegAuto};
        return batch;
    }
    Command2Fields pending = slots.Slot2();
    if (pending.reg != catalogue::RegAuto) {
        pending.reg = catalogue::RegAuto;
        batch.command2 = pending;
    }
    return batch;
}

CommandBatch CalibrationCommands(const DetectorStatus& s, const CommandSlots& slots, int o_state) {
    CommandBatch batch;
    if (!slots.Cmd[0].bAwait) {
        batch.command0 = Command0Fields{s.w6.adr, s.w3.senspp, o_state, s.w3.ctrl_pp_mp};
        return batch;
    }
    Command0Fields pending = slots.Slot0();
    if (pending.state != o_state) {
        pending.state = o_state;
        batch.command0 = pending;
    }
    return batch;
}

} // namespace detlink
