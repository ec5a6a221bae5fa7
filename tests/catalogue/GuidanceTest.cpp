// The guidance rule: which note the page, state, diagnostic code and setup method pick.
#include "catalogue/Guidance.h"

#include "catalogue/DetectorCatalogue.h"

#include <gtest/gtest.h>

namespace catalogue {
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
        GuidanceCase{Page::About, StateNormal, 2, 0, kNoteSelectMode},
        GuidanceCase{Page::About, StateAlarm, 0, 0, kNoteAlarm},
        GuidanceCase{Page::About, StateAlarm, 2, 0, kNoteSignalTooHigh},
        GuidanceCase{Page::Range, StateNormal, 1, 2, kNoteSignalTooLow},
        GuidanceCase{Page::TuneUp, StateCalibration, 2, 2, kNoteSignalTooHigh},
        GuidanceCase{Page::Sense, StateMalfunction, 3, 2, kNoteLowPower},
        GuidanceCase{Page::TuneUp, StateAlarm, 0, 0, kNoteNoSignal},
        GuidanceCase{Page::Range, StateAlarm, 0, 0, kNoteAlarm},
        // An alarm on the Setup page still gets the walk-test note of its method.
        GuidanceCase{Page::Sense, StateAlarm, 0, 0, kNoteManualWalkTest},
        GuidanceCase{Page::Range, StateNormal, 0, 0, kNoteThresholdWalkTest},
        GuidanceCase{Page::Sense, StateNormal, 0, 1, kNoteThresholdWalkTest},
        GuidanceCase{Page::Range, StateNormal, 0, 2, kNoteAutoWalkTest},
        GuidanceCase{Page::Range, StateNormal, 0, 3, std::nullopt},
        GuidanceCase{Page::TuneUp, StateNormal, 0, 0, std::nullopt},
        GuidanceCase{Page::TuneUp, StateCalibration, 0, 0, kNoteAdjust},
        GuidanceCase{Page::Range, StateCalibration, 0, 0, std::nullopt},
        GuidanceCase{Page::Range, StateSettingsChange, 0, 0, std::nullopt}));

} // namespace
} // namespace catalogue
