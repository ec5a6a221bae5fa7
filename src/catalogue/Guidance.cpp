// Guidance note selection.
#include "catalogue/Guidance.h"

#include "catalogue/DetectorCatalogue.h"

namespace catalogue {

std::optional<int> GuidanceEntry(Page page, int state, int dis, int reg) {
    if (page == Page::About && state != StateAlarm) {
        return kNoteSelectMode;
    }
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
    if (state == StateNormal || state == StateAlarm) {
        if (state == StateAlarm && page == Page::TuneUp) {
            return kNoteNoSignal;
        }
        if (state == StateAlarm && (page == Page::Range || page == Page::About)) {
            return kNoteAlarm;
        }
        if (page == Page::Sense || page == Page::Range) {
            switch (reg) {
            case RegManual:
                return page == Page::Sense ? kNoteManualWalkTest : kNoteThresholdWalkTest;
            case RegSpecial:
                return kNoteThresholdWalkTest;
            case RegAuto:
                return kNoteAutoWalkTest;
            default:
                return std::nullopt;
            }
        }
        if (page == Page::About) {
            return kNoteSelectMode;
        }
        return std::nullopt;
    }
    if (state == StateCalibration && page == Page::TuneUp) {
        return kNoteAdjust;
    }
    return std::nullopt;
}

} // namespace catalogue
