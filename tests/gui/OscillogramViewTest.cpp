// The oscillogram's view controls in the window: the group beside the Settings page, the
// scale and time-base steps to their limits, auto scaling, play modes and the chart's width.
#include "ConsoleFixture.h"

#include "catalogue/DetectorCatalogue.h"
#include "console/OscillogramGroup.h"
#include "console/chart/ChartWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <string>

namespace console {
namespace {

class OscillogramView : public ConsoleFixture {
protected:
    void Enter() {
        SendCycle(Detector());
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Range);
    }
    void Ctrl(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::ControlModifier); }
    OscillogramGroup* Group() const { return window->gbOscillogram; }
    const chart::Axis& Left() const { return window->chRangeModel.leftAxis; }
    const chart::Axis& Bottom() const { return window->chRangeModel.bottomAxis; }
    // The hint of the play button that is down.
    std::string PlayButtonDown() const {
        return Group()->playButtons->checkedButton()->toolTip().toStdString();
    }
    // Points per page for the rate "1" on the chart as wide as it is now.
    int ExpectedPointsPerPage(int seconds) const {
        const int perSecond = std::min((window->chRange->width() - 22) / seconds, 19);
        return perSecond * seconds;
    }
};

TEST_F(OscillogramView, StartsLaidOutWithSixteenSecondsShownAndAutoScaling) {
    EXPECT_GT(window->chRange->width(), 326); // wide enough for 19 points a second
    EXPECT_EQ(window->MaxPointsPerPage(), 304);
    EXPECT_DOUBLE_EQ(Bottom().minimum, 0);
    EXPECT_DOUBLE_EQ(Bottom().maximum, 1.01 * 304);
    EXPECT_EQ(window->lPeriod->text(), "16 s");
    EXPECT_EQ(PlayButtonDown(), "Show");
    EXPECT_TRUE(Group()->chbAutoYScale->isChecked());
    for (const QToolButton* b : {Group()->sbBottomAxisSlow, Group()->sbBottomAxisFast,
                                 Group()->sbLeftAxisUp, Group()->sbLeftAxisDown})
        EXPECT_TRUE(b->isEnabled());
}

TEST_F(OscillogramView, GroupIsShownOnlyWithTheSettingsPage) {
    EXPECT_FALSE(Group()->isVisible());
    Enter();
    EXPECT_TRUE(Group()->isVisible());
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_FALSE(Group()->isVisible());
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_TRUE(Group()->isVisible());
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_FALSE(Group()->isVisible());
}

TEST_F(OscillogramView, F7CyclesThePlayButtonsAndFollowsAClickedOne) {
    Enter();
    for (const char* expected : {"Show until alarm", "Pause", "Show"}) {
        QTest::keyClick(window.get(), Qt::Key_F7);
        EXPECT_EQ(PlayButtonDown(), expected);
    }
    EXPECT_FALSE(window->PauseDown());
    Group()->sbOscPause->click();
    EXPECT_TRUE(window->PauseDown());
    Group()->sbOscPause->click(); // pressing the one that is down keeps it down
    EXPECT_TRUE(window->PauseDown());
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(PlayButtonDown(), "Show");
    EXPECT_FALSE(window->PauseDown());
}

// A new alarm presses Pause only in "Show until alarm"; the other modes stay as they are.
struct AlarmCase {
    int f7Presses;
    const char* before;
    const char* after;
};

class NewAlarm : public OscillogramView, public testing::WithParamInterface<AlarmCase> {};

TEST_P(NewAlarm, PressesPauseOnlyInShowUntilAlarm) {
    Enter();
    for (int i = 0; i < GetParam().f7Presses; ++i)
        QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_EQ(PlayButtonDown(), GetParam().before);
    auto d = Detector();
    d.w2.state = catalogue::StateAlarm;
    SendCycle(d);
    EXPECT_EQ(PlayButtonDown(), GetParam().after);
    EXPECT_EQ(window->PauseDown(), PlayButtonDown() == "Pause");
}

INSTANTIATE_TEST_SUITE_P(PlayModes, NewAlarm,
                         testing::Values(AlarmCase{0, "Show", "Show"},
                                         AlarmCase{1, "Show until alarm", "Pause"},
                                         AlarmCase{2, "Pause", "Pause"}),
                         [](const testing::TestParamInfo<AlarmCase>& info) {
                             return "F7x" + std::to_string(info.param.f7Presses);
                         });

TEST_F(OscillogramView, CtrlZSwitchesAutoScalingOffKeepingTheScaleAndOnFittingAtOnce) {
    Enter();
    const double fittedMax = Left().maximum, fittedMin = Left().minimum;
    Ctrl(Qt::Key_Z);
    EXPECT_FALSE(Group()->chbAutoYScale->isChecked());
    EXPECT_DOUBLE_EQ(Left().maximum, fittedMax);
    Ctrl(Qt::Key_A);
    ASSERT_NE(Left().maximum, fittedMax);
    Ctrl(Qt::Key_Z);
    EXPECT_TRUE(Group()->chbAutoYScale->isChecked());
    EXPECT_DOUBLE_EQ(Left().maximum, fittedMax);
    EXPECT_DOUBLE_EQ(Left().minimum, fittedMin);

    // The box itself does the same as the shortcut.
    Group()->chbAutoYScale->click();
    Ctrl(Qt::Key_A);
    EXPECT_NE(Left().maximum, fittedMax);
    Group()->chbAutoYScale->click();
    EXPECT_DOUBLE_EQ(Left().maximum, fittedMax);
}

TEST_F(OscillogramView, VerticalStepsStopAtTheirLimitsWithTheButtonsFollowing) {
    Enter();
    QToolButton* up = Group()->sbLeftAxisUp;
    QToolButton* down = Group()->sbLeftAxisDown;
    int max = static_cast<int>(Left().maximum), min = static_cast<int>(Left().minimum);
    for (int step = 0; up->isEnabled(); ++step) {
        ASSERT_LT(step, 10);
        step % 2 ? up->click() : Ctrl(Qt::Key_A);
        max = std::min(2 * max, 400);
        min = std::max(2 * min, -100);
        EXPECT_EQ(Left().maximum, max);
        EXPECT_EQ(Left().minimum, min);
        EXPECT_TRUE(down->isEnabled());
    }
    EXPECT_EQ(max, 400);
    Ctrl(Qt::Key_A);
    EXPECT_EQ(Left().maximum, 400);

    for (int step = 0; down->isEnabled(); ++step) {
        ASSERT_LT(step, 20);
        step % 2 ? down->click() : Ctrl(Qt::Key_S);
        max /= 2;
        min /= 2;
        EXPECT_EQ(Left().maximum, max);
        EXPECT_EQ(Left().minimum, min);
        EXPECT_TRUE(up->isEnabled());
    }
    EXPECT_EQ(max, 1);
    Ctrl(Qt::Key_S);
    EXPECT_EQ(Left().maximum, 1);

    // The fit enables both again.
    Ctrl(Qt::Key_Z);
    Ctrl(Qt::Key_Z);
    EXPECT_TRUE(up->isEnabled());
    EXPECT_TRUE(down->isEnabled());
}

TEST_F(OscillogramView, TimeBaseStepsStopAtOneAndAHundredAndTwentyEightSeconds) {
    Enter();
    QToolButton* slow = Group()->sbBottomAxisSlow;
    QToolButton* fast = Group()->sbBottomAxisFast;
    struct Step {
        Qt::Key key;
        int seconds;
        bool slowEnabled, fastEnabled;
    };
    const Step steps[] = {
        {Qt::Key_Q, 32, true, true},   {Qt::Key_Q, 64, true, true}, {Qt::Key_Q, 128, false, true},
        {Qt::Key_Q, 128, false, true}, {Qt::Key_W, 64, true, true}, {Qt::Key_W, 32, true, true},
        {Qt::Key_W, 16, true, true},   {Qt::Key_W, 8, true, true},  {Qt::Key_W, 4, true, true},
        {Qt::Key_W, 2, true, true},    {Qt::Key_W, 1, true, false}, {Qt::Key_W, 1, true, false}};
    for (const Step& s : steps) {
        Ctrl(s.key);
        SCOPED_TRACE(s.seconds);
        EXPECT_EQ(window->lPeriod->text(), QString::number(s.seconds) + " s");
        EXPECT_EQ(window->MaxPointsPerPage(), ExpectedPointsPerPage(s.seconds));
        // The chart is still filling from the left, so the left edge stays.
        EXPECT_DOUBLE_EQ(Bottom().minimum, 0);
        EXPECT_DOUBLE_EQ(Bottom().maximum, 1.01 * window->MaxPointsPerPage());
        EXPECT_EQ(slow->isEnabled(), s.slowEnabled);
        EXPECT_EQ(fast->isEnabled(), s.fastEnabled);
    }
    slow->click();
    EXPECT_EQ(window->lPeriod->text(), "2 s");
    fast->click();
    EXPECT_EQ(window->lPeriod->text(), "1 s");
}

TEST_F(OscillogramView, ResizingTheChartRecomputesThePageButLeavesTheAxis) {
    Enter();
    for (int i = 0; i < 3; ++i)
        Ctrl(Qt::Key_Q);
    const int before = window->MaxPointsPerPage();
    ASSERT_EQ(before, ExpectedPointsPerPage(128));
    const double axisMin = Bottom().minimum, axisMax = Bottom().maximum;
    const int chartWidth = window->chRange->width();

    window->resize(window->width() + 256, window->height());
    ASSERT_EQ(window->chRange->width(), chartWidth + 256);
    EXPECT_EQ(window->MaxPointsPerPage(), ExpectedPointsPerPage(128));
    EXPECT_GT(window->MaxPointsPerPage(), before);
    EXPECT_DOUBLE_EQ(Bottom().minimum, axisMin);
    EXPECT_DOUBLE_EQ(Bottom().maximum, axisMax);
    // The period stays under the plot's right end.
    const QRect period = window->lPeriod->geometry();
    const QRect plot = window->chRange->PlotArea();
    EXPECT_EQ(period.right(), plot.right());
    EXPECT_GT(period.top(), plot.bottom());
}

} // namespace
} // namespace console
