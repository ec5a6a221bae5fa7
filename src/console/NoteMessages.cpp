// The note strip's texts and colours.
#include "console/NoteMessages.h"

#include <array>

namespace console {

namespace {

std::array<NoteMessage, kNoteCount> BuildTable() {
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    std::array<NoteMessage, kNoteCount> table;
    table.fill({QString(), blue});
    table[kNoteSelectPort] = {"Select detector connection port ...", blue};
    table[kNoteWaiting] = {"Waiting for detector ...", blue};
    table[kNoteCannotOpen] = {"Cannot open selected COM port !!!", blue};
    table[kNoteSelectMode] = {"Select 'Calibration' or 'Settings' mode.", blue};
    table[kNoteAdjust] = {
        "Adjust the detectors in horizontal and vertical axis. Then select 'Setup' mode.", blue};
    table[kNoteNoSignal] = {"No signal! Return the detector to previous position.", blue};
    table[kNoteSignalTooHigh] = {"Warning: Signal level exceeds acceptable value!", red};
    table[kNoteLowPower] = {"Warning: Low power level!", blue};
    table[kNoteAutoWalkTest] = {"Set detection zone length. Walk test the perimeter. Check for "
                                "alarms. Switch to manual setup mode, if necessary.",
                                blue};
    table[kNoteManualWalkTest] = {
        "Walk test the perimeter. Check for alarms. Change the sensitivity, if necessary.", blue};
    table[kNoteThresholdWalkTest] = {
        "Walk test the perimeter. Check for alarms. Change threshold values, if necessary.", blue};
    table[kNoteSignalTooLow] = {"Warning: Too low signal level!", red};
    table[kNoteAlarm] = {"Attention! Alarm!", blue};
    return table;
}

} // namespace

const NoteMessage& NoteMessages(int k) {
    static const std::array<NoteMessage, kNoteCount> table = BuildTable();
    return table.at(static_cast<std::size_t>(k));
}

} // namespace console
