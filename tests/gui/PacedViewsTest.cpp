// The views that follow the signal's noise are painted at most ten times a second, with the
// newest value; a change of state is shown at once.
#include "ConsoleFixture.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/CalibrationPage.h"
#include "console/SetupPage.h"
#include "console/StatusPanel.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace console {
namespace {

class PacedViewsTest : public ConsoleFixture {
protected:
    // The Setup page in front, where the status line and the page's signal both show.
    int StartAccessLevel() const override { return 0; }
    void SetUp() override {
        ConsoleFixture::SetUp();
        SendCycle(Detector());
        ASSERT_EQ(window->ActivePage(), Page::Sense);
        ShowHeldViews();
    }
    static QString Millivolts(const detlink::DetectorStatus& d, int level, bool withUnit) {
        const QString number = Decimal(QString::fromStdString(catalogue::FormatFixed(
            catalogue::SignalMillivolts(d.w5.ref, level, d.w5.amplif), 3, '.')));
        return withUnit ? number + "  mV" : number;
    }
    // Signal and average move together, cycle after cycle, at one instant.
    void SendNoise(detlink::DetectorStatus& d, std::initializer_list<int> levels) {
        for (int level : levels) {
            d.w1.sig = level;
            d.w2.aver = level;
            Send({d.Word(1), d.Word(2), d.Word(5)});
        }
    }
    QString StatusSignal() const { return window->gbParameters->lAver->text(); }
    QString SetupSignal() const { return window->tsSense->lSenseSignal->text(); }
    const QTimer* PacingTimer() const { return window->findChild<QTimer*>("tmPacedViews"); }
};

TEST_F(PacedViewsTest, NoiseIsPaintedAtMostTenTimesASecondWithTheNewestValue) {
    auto d = Detector();
    SendNoise(d, {110});
    EXPECT_EQ(StatusSignal(), Millivolts(d, 110, true)) << "the first change shows at once";
    EXPECT_EQ(SetupSignal(), Millivolts(d, 110, false));

    SendNoise(d, {120, 130, 140});
    EXPECT_EQ(StatusSignal(), Millivolts(d, 110, true)) << "held within the tenth of a second";
    EXPECT_EQ(SetupSignal(), Millivolts(d, 110, false));
    ASSERT_NE(PacingTimer(), nullptr);
    EXPECT_TRUE(PacingTimer()->isActive());
    EXPECT_LE(PacingTimer()->remainingTime(), 100);

    ShowHeldViews();
    EXPECT_EQ(StatusSignal(), Millivolts(d, 140, true));
    EXPECT_EQ(SetupSignal(), Millivolts(d, 140, false));
    EXPECT_NEAR(window->chSenseModel.At(0).Point(0).x,
                catalogue::SignalMillivolts(d.w5.ref, 140, d.w5.amplif), 1e-9);
    EXPECT_FALSE(PacingTimer()->isActive()) << "nothing more is held";
}

// The status line takes its inputs from the speed word and the level from the state word,
// which may come twice between speed words: the held line paints the level it recorded, so
// that it never stays on a level the detector no longer reports.
TEST_F(PacedViewsTest, TheStatusLinePaintsTheLevelItRecorded) {
    auto d = Detector();
    SendNoise(d, {110});
    d.w2.aver = 120;
    Send({d.Word(2), d.Word(5)});
    d.w2.aver = 130;
    Send({d.Word(2)});
    ShowHeldViews();
    EXPECT_EQ(StatusSignal(), Millivolts(d, 120, true));
    d.w2.aver = 120;
    Send({d.Word(2), d.Word(5)});
    ShowHeldViews();
    EXPECT_EQ(StatusSignal(), Millivolts(d, 120, true)) << "the level the detector reports";
}

TEST_F(PacedViewsTest, AChangeOfStateIsShownAtOnceAndNotOverwrittenByAHeldValue) {
    auto d = Detector();
    SendNoise(d, {110, 120});
    d.w2.state = catalogue::StateAlarm;
    Send({d.Word(2), d.Word(5)});
    EXPECT_EQ(StatusSignal(), "---");
    EXPECT_EQ(SetupSignal(), "---");
    ShowHeldViews();
    EXPECT_EQ(StatusSignal(), "---");
    EXPECT_EQ(SetupSignal(), "---");

    d.w2.state = catalogue::StateNormal;
    SendNoise(d, {130});
    EXPECT_EQ(StatusSignal(), Millivolts(d, 130, true)) << "back to Normal shows at once";
    EXPECT_EQ(SetupSignal(), Millivolts(d, 130, false));
}

TEST_F(PacedViewsTest, TheEndOfACalibrationIsNotOverwrittenByAHeldValue) {
    QTest::keyClick(window.get(), Qt::Key_F2);
    ASSERT_EQ(window->ActivePage(), Page::TuneUp);
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    for (int level : {300, 310, 320}) {
        d.w1.sig = level;
        Send({d.Word(2), d.Word(1)});
    }
    ShowHeldViews();
    EXPECT_EQ(window->tsTuneUp->lSignal->text(), Millivolts(d, 320, false));
    d.w1.sig = 330;
    Send({d.Word(1)});
    d.w2.state = catalogue::StateNormal;
    Send({d.Word(2)});
    ShowHeldViews();
    EXPECT_EQ(window->tsTuneUp->lSignal->text(), "---");
    EXPECT_EQ(window->tsTuneUp->lTuneUpMax->text(), "---");
}

} // namespace
} // namespace console
