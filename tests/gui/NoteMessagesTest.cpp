// The note strip's table: texts and colours by entry.
#include "console/NoteMessages.h"

#include <gtest/gtest.h>

namespace console {
namespace {

TEST(NoteMessagesTable, WarningsAreRedAndTheRestBlue) {
    EXPECT_EQ(NoteMessages(kNoteSignalTooHigh).colour, QColor(255, 0, 0));
    EXPECT_EQ(NoteMessages(kNoteSignalTooLow).colour, QColor(255, 0, 0));
    EXPECT_EQ(NoteMessages(kNoteLowPower).colour, QColor(0, 0, 255));
    EXPECT_EQ(NoteMessages(kNoteWaiting).text, "Waiting for detector ...");
    EXPECT_TRUE(NoteMessages(kNoteClear).text.isEmpty());
}

} // namespace
} // namespace console
