// The note strip's fixed table of texts and colours, addressed by table position.
#pragma once

#include <QColor>
#include <QString>

namespace console {

struct NoteMessage {
    QString text;
    QColor colour;
};

// Table positions other code refers to.
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

// Entry k; positions that hold nothing give an empty blue text.
const NoteMessage& NoteMessages(int k);

} // namespace console
