// The guidance rule: which note the page, state, diagnostic code and setup method pick.
#include "console/Guidance.h"
#include "console/NoteMessages.h"

#include <gtest/gtest.h>

namespace console {
namespace {

struct GuidanceCase {
    Page page;
    int state, dis, reg;
    std::optional<int> entry;
};

class GuidanceRule : public testing::TestWithParam<GuidanceCase> {};

TEST_P(GuidanceRule, PicksTheEntry) {
    const GuidanceCase& c = GetParam();
    EXPECT_EQ(GuidanceEntry(c.page, c.state, c.dis, c.reg), c.entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuidanceRule,
    testing::Values(
        // About without an alarm wins over every warning.
        GuidanceCase{Page::About, 0, 2, 0, kNoteSelectMode},
        GuidanceCase{Page::About, 1, 0, 0, kNoteAlarm},
        GuidanceCase{Page::About, 1, 2, 0, kNoteSignalTooHigh},
        GuidanceCase{Page::Range, 0, 1, 2, kNoteSignalTooLow},
        GuidanceCase{Page::TuneUp, 2, 2, 2, kNoteSignalTooHigh},
        GuidanceCase{Page::Sense, 3, 3, 2, kNoteLowPower},
        GuidanceCase{Page::TuneUp, 1, 0, 0, kNoteNoSignal},
        GuidanceCase{Page::Range, 1, 0, 0, kNoteAlarm},
        // An alarm on the Setup page still gets the walk-test note of its method.
        GuidanceCase{Page::Sense, 1, 0, 0, kNoteManualWalkTest},
        GuidanceCase{Page::Range, 0, 0, 0, kNoteThresholdWalkTest},
        GuidanceCase{Page::Sense, 0, 0, 1, kNoteThresholdWalkTest},
        GuidanceCase{Page::Range, 0, 0, 2, kNoteAutoWalkTest},
        GuidanceCase{Page::Range, 0, 0, 3, std::nullopt},
        GuidanceCase{Page::TuneUp, 0, 0, 0, std::nullopt},
        GuidanceCase{Page::TuneUp, 2, 0, 0, kNoteAdjust},
        GuidanceCase{Page::Range, 2, 0, 0, std::nullopt},
        GuidanceCase{Page::Range, 4, 0, 0, std::nullopt}));

TEST(NoteMessagesTable, WarningsAreRedAndTheRestBlue) {
    EXPECT_EQ(NoteMessages(kNoteSignalTooHigh).colour, QColor(255, 0, 0));
    EXPECT_EQ(NoteMessages(kNoteSignalTooLow).colour, QColor(255, 0, 0));
    EXPECT_EQ(NoteMessages(kNoteLowPower).colour, QColor(0, 0, 255));
    EXPECT_EQ(NoteMessages(kNoteWaiting).text, "Waiting for detector ...");
    EXPECT_TRUE(NoteMessages(kNoteClear).text.isEmpty());
}

} // namespace
} // namespace console
