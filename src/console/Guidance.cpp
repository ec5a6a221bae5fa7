// Guidance note selection.
#include "console/Guidance.h"

#include "console/NoteMessages.h"

namespace console {

namespace {
constexpr int kStateNormal = 0;
constexpr int kStateAlarm = 1;
constexpr int kStateCalibration = 2;
} // namespace

std::optional<int> GuidanceEntry(Page page, int state, int dis, int reg) {
    if (page == Page::About && state != kStateAlarm)
        return kNoteSelectMode;
    switch (dis) {
    case 1:
        return kNoteSignalTooLow;
    case 2:
        return kNoteSignalTooHigh;
    case 3:
        return kNoteLowPower;
    default:
        break;
    }
    if (state == kStateNormal || state == kStateAlarm) {
        if (state == kStateAlarm && page == Page::TuneUp)
            return kNoteNoSignal;
        if (state == kStateAlarm && (page == Page::Range || page == Page::About))
            return kNoteAlarm;
        if (page == Page::Sense || page == Page::Range) {
            switch (reg) {
            case 0:
                return page == Page::Sense ? kNoteManualWalkTest : kNoteThresholdWalkTest;
            case 1:
                return kNoteThresholdWalkTest;
            case 2:
                return kNoteAutoWalkTest;
            default:
                return std::nullopt;
            }
        }
        if (page == Page::About)
            return kNoteSelectMode;
        return std::nullopt;
    }
    if (state == kStateCalibration && page == Page::TuneUp)
        return kNoteAdjust;
    return std::nullopt;
}

} // namespace console
