// The note strip's entry numbers and the rule that picks the guidance note from the page in
// front and the detector's state.
#pragma once

#include "catalogue/Pages.h"

#include <optional>

namespace catalogue {

// Positions in the note table that other code refers to.
enum NoteEntry : int {
    kNoteClear = 0,
    kNoteSelectPort = 3,
    kNoteWaiting = 4,
    kNoteCannotOpen = 5,
    kNoteSelectMode = 6,
    kNoteAdjust = 7,
    kNoteNoSignal = 8,
    kNoteSignalTooHigh = 10,
    kNoteLowPower = 11,
    kNoteAutoWalkTest = 12,
    kNoteManualWalkTest = 13,
    kNoteThresholdWalkTest = 14,
    kNoteSignalTooLow = 16,
    kNoteAlarm = 17,
};

inline constexpr int kNoteCount = 18;

// The note entry to show, or nothing when the note is to stay as it is.
std::optional<int> GuidanceEntry(Page page, int state, int dis, int reg);

} // namespace catalogue
