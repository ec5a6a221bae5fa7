// The note strip's fixed table of texts and colours, addressed by table position.
#pragma once

#include "catalogue/Guidance.h"

#include <QColor>
#include <QString>

namespace console {

struct NoteMessage {
    QString text;
    QColor colour;
};

using enum catalogue::NoteEntry;
using catalogue::kNoteCount;

// Entry k; positions that hold nothing give an empty blue text.
const NoteMessage& NoteMessages(int k);

} // namespace console
