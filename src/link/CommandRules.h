// Which commands go out: the Settings page's Apply, the switch out of Auto.3 at
// identification, and the calibration switch, each from the status and the pending slots.
#pragma once

#include "link/CommandSlots.h"
#include "link/DetectorStatus.h"

#include <optional>

namespace detlink {

// The Settings page's boxes as Apply reads them: list positions, none for an empty box.
struct SettingsSelection {
    std::optional<int> method{};
    // Item i is zone index i + catalogue::kFirstZoneIndex.
    std::optional<int> zone{};
    std::optional<int> pl{};
    std::optional<int> ll{};
    std::optional<int> hl{};
    std::optional<int> vel_min{};
    std::optional<int> vel_max{};
    // Item i is address i + 1.
    std::optional<int> address{};
    std::optional<int> letter{};
    std::optional<int> symbol{};
    std::optional<int> tens{};
    std::optional<int> units{};
    bool addressShown = false;
    bool letterEnabled = false;
    bool positionShown = false;
};

// The commands Apply arms: one for each group that differs from the detector.
CommandBatch SettingsApplyCommands(const DetectorStatus& status, const SettingsSelection& chosen);

// The Setup page's controls as Apply reads them.
struct SetupSelection {
    // A position of the Setup method list ("Auto" 0, "Manual" 1, "Special" 2); "Special"
    // sends no zone or method.
    int method = 0;
    // Item i is zone index i + catalogue::kFirstZoneIndex.
    int zone = 0;
    // The spin box's sensitivity in percent; all three thresholds take its step.
    int sensitivity = 0;
};

// The commands the Setup page's Apply arms: zone and method, PL (clearing the HL-only bit),
// and LL with HL, each only when it differs from the detector.
CommandBatch SetupApplyCommands(const DetectorStatus& status, const SetupSelection& chosen);

// A detector identified in Auto.3 is switched to Auto with its speeds and zone unchanged; a
// switch already pending keeps that command's speeds and zone.
CommandBatch AutoRegulationCommands(const DetectorStatus& status, const CommandSlots& slots);

// Slot 0 with o_state (1 into calibration, 0 out of it). An idle slot takes the detector's
// address, PL and HL-only bit; an awaiting one keeps its own and only has o_state corrected.
CommandBatch CalibrationCommands(const DetectorStatus& status, const CommandSlots& slots,
                                 int o_state);

} // namespace detlink
