// The Setup page of access level 0 on a fake detector: loading from the detector, Apply, the
// sensitivity floor, the special-presets lock with its question, the chart and the alarm
// counter with F6 and F8.
#include "ConsoleFixture.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/CalibrationPage.h"
#include "console/SetupPage.h"
#include "console/chart/ChartWidget.h"
#include "link/CommandSlots.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace console {
namespace {

using namespace catalogue;

class SetupPageTest : public ConsoleFixture {
protected:
    int StartAccessLevel() const override { return 0; }

    // A detector identified and settled: the calibration-off command confirmed, the page in
    // front.
    void Enter(const detlink::DetectorStatus& detector) {
        SendCycle(detector);
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Sense);
        ASSERT_TRUE(ArmedSlots().empty());
    }
    // Another detector on the same link, its page brought back with F3.
    void Revisit(const detlink::DetectorStatus& detector) {
        window->SetActivePage(Page::About);
        SendCycle(detector);
        Drain();
        QTest::keyClick(window.get(), Qt::Key_F3);
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Sense);
    }
    SetupPage& P() const { return *window->tsSense; }
    QStringList Methods() const {
        QStringList items;
        for (int i = 0; i < P().cbRegulSense->count(); ++i)
            items << P().cbRegulSense->itemText(i);
        return items;
    }
    // Zone box, spin box, Apply, Cancel.
    std::vector<bool> Enabled() const {
        return {P().cbDistSense->isEnabled(), P().speSense->isEnabled(),
                P().btnApplySense->isEnabled(), P().btnCancelSense->isEnabled()};
    }
    // Opens the method list, answering the question if one comes; returns its text.
    QString OpenMethodList(QMessageBox::StandardButton answer) {
        QString asked;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(answer)->click();
        });
        P().cbRegulSense->showPopup();
        P().cbRegulSense->hidePopup();
        return asked;
    }
    static detlink::DetectorStatus With(void (*edit)(detlink::DetectorStatus&)) {
        detlink::DetectorStatus d = Detector();
        edit(d);
        return d;
    }
};

TEST_F(SetupPageTest, AutoFollowsTheZoneTableAndTheChartScalesToItsValues) {
    Enter(With([](detlink::DetectorStatus& d) {
        d.w4.dist = 31;
        d.w3.sensmp = 10;
    }));
    EXPECT_EQ(TabCaptions(), (QStringList{"About Us <F1>", "Calibration <F2>", "Setup <F3>"}));
    EXPECT_EQ(P().cbRegulSense->currentText(), "Auto");
    EXPECT_EQ(P().cbDistSense->currentText(), "300");
    EXPECT_EQ(P().speSense->value(), SensOfIndex(DefaultThresholdCount(0, 31)));
    EXPECT_NE(P().speSense->value(), 80);
    EXPECT_FALSE(P().speSense->isEnabled());

    const auto& s = window->Status();
    const double signal = SignalMillivolts(s.w5.ref, s.w1.sig, s.w5.amplif);
    EXPECT_EQ(P().lSenseSignal->text(),
              Decimal(QString::fromStdString(FormatFixed(signal, 3, '.'))));
    const double largest =
        std::max({window->dblSenseSignal, window->dblSenseMax, window->dblSenseNewMax});
    EXPECT_GT(window->dblSenseNewMax, 0);
    EXPECT_DOUBLE_EQ(window->chSenseModel.bottomAxis.maximum, SenseAxisMaximum(largest));
    EXPECT_DOUBLE_EQ(window->chSenseModel.At(0).Point(0).x, window->dblSenseSignal);
}

TEST_F(SetupPageTest, ManualApplyArmsZoneMethodAndOneStepForAllThree) {
    Enter(Detector());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(ArmedSlots().empty()) << "an unchanged Auto sends nothing";

    Choose(P().cbRegulSense, MethodManual);
    ASSERT_TRUE(P().speSense->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(ArmedSlots(), (std::vector<int>{2}));
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes),
              (detlink::Command2Fields{1, 1, 16, RegManual}));

    P().speSense->setValue(70);
    P().btnApplySense->click();
    EXPECT_EQ(ArmedSlots(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes), (detlink::Command0Fields{1, 15, 0, 0}));
    EXPECT_EQ(detlink::DecodeCommand1(Slot(1).Bytes), (detlink::Command1Fields{15, 15, 0}));

    // Esc is the page's Cancel: the controls go back to the detector's values.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(P().cbRegulSense->currentText(), "Auto");
    EXPECT_EQ(P().speSense->value(), SensOfIndex(7));
}

TEST_F(SetupPageTest, ApplyAlwaysClearsTheHlOnlyBit) {
    Enter(With([](detlink::DetectorStatus& d) { d.w3.ctrl_pp_mp = 1; }));
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(ArmedSlots(), (std::vector<int>{0}));
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes), (detlink::Command0Fields{1, 7, 0, 0}));
}

TEST_F(SetupPageTest, ACs0DetectorNeverShowsLessThan64) {
    // Manual at step 30 (40 %), and Auto on a zone whose table step is 30.
    Enter(With([](detlink::DetectorStatus& d) {
        d.w6.cs = 0;
        d.w4.reg = RegManual;
        d.w3.sensmp = 30;
    }));
    EXPECT_EQ(P().speSense->value(), 64);
    P().speSense->stepDown();
    EXPECT_EQ(P().speSense->value(), 64);

    Revisit(With([](detlink::DetectorStatus& d) {
        d.w6.cs = 0;
        d.w7.freq = 1;
        d.w4.dist = 2;
    }));
    ASSERT_EQ(DefaultThresholdCount(1, 2), 30);
    EXPECT_EQ(P().speSense->value(), 64);
}

TEST_F(SetupPageTest, SpecialPresetsLockThePageUntilTheOperatorAgrees) {
    Enter(With([](detlink::DetectorStatus& d) { d.w4.reg = RegSpecial; }));
    EXPECT_EQ(Methods(), (QStringList{"Auto", "Manual", "Special"}));
    EXPECT_EQ(P().cbRegulSense->currentText(), "Special");
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));
    EXPECT_DOUBLE_EQ(window->chSenseModel.At(1).Point(0).x, 0);
    EXPECT_DOUBLE_EQ(window->chSenseModel.At(2).Point(0).x, 0);
    P().cbRegulSense->setFocus();
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Home, Qt::Key_A, Qt::Key_Down})
        QTest::keyClick(P().cbRegulSense, key);
    EXPECT_EQ(P().cbRegulSense->currentText(), "Special");

    EXPECT_EQ(OpenMethodList(QMessageBox::No),
              "Attention|The detector has specific operating presets.\n"
              "Do you want to change them?");
    EXPECT_EQ(Methods(), (QStringList{"Auto", "Manual", "Special"}));
    EXPECT_EQ(P().cbRegulSense->currentText(), "Special");
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, false}));

    OpenMethodList(QMessageBox::Yes);
    EXPECT_EQ(Methods(), (QStringList{"Auto", "Manual"}));
    EXPECT_EQ(P().cbRegulSense->currentText(), "Auto");
    // Auto keeps the spin box to the zone table.
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(P().cbDistSense->currentIndex(), 14);
    QTest::keyClick(P().cbRegulSense, Qt::Key_Down);
    EXPECT_EQ(P().cbRegulSense->currentText(), "Manual");
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes).reg, RegManual);
}

TEST_F(SetupPageTest, AlarmCounterCountsNewAlarmsWhileChecked) {
    Enter(Detector());
    const detlink::DetectorStatus normal = Detector();
    const detlink::DetectorStatus alarm =
        With([](detlink::DetectorStatus& d) { d.w2.state = StateAlarm; });
    QLabel* number = P().lTrvNumberSense;

    SendCycle(alarm);
    SendCycle(normal);
    EXPECT_EQ(number->text(), "0") << "not counted while the box is clear";
    EXPECT_FALSE(number->isEnabled());

    QTest::keyClick(window.get(), Qt::Key_F6);
    ASSERT_TRUE(P().chbSaveTrvSense->isChecked());
    EXPECT_TRUE(number->isEnabled());
    EXPECT_TRUE(P().btnClearTrvSense->isEnabled());
    SendCycle(alarm);
    SendCycle(alarm);
    SendCycle(normal);
    SendCycle(alarm);
    EXPECT_EQ(number->text(), "2");

    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(number->text(), "0");
    SendCycle(normal);
    SendCycle(alarm);
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_FALSE(P().chbSaveTrvSense->isChecked());
    EXPECT_FALSE(P().lTrvSense->isEnabled());
    EXPECT_FALSE(P().btnClearTrvSense->isEnabled());
    EXPECT_EQ(number->text(), "1") << "the number stays when the box is cleared";
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(number->text(), "1") << "F8 does nothing while Reset is disabled";
}

// Reset and Cancel answer the keys their captions name, whichever control has the focus.
TEST_F(SetupPageTest, ResetAndCancelRunByTheKeysTheirCaptionsName) {
    Enter(Detector());
    QTest::keyClick(window.get(), Qt::Key_F6);
    SendCycle(With([](detlink::DetectorStatus& d) { d.w2.state = StateAlarm; }));
    SendCycle(Detector());
    ASSERT_EQ(P().lTrvNumberSense->text(), "1");
    QTest::keySequence(window.get(), CaptionKey(P().btnClearTrvSense));
    EXPECT_EQ(P().lTrvNumberSense->text(), "0");

    for (QWidget* focus : std::initializer_list<QWidget*>{P().speSense, P().cbRegulSense,
                                                          P().cbDistSense, P().chbSaveTrvSense}) {
        Choose(P().cbRegulSense, MethodManual);
        P().speSense->setValue(70);
        focus->setFocus();
        QTest::keySequence(QApplication::focusWidget(), CaptionKey(P().btnCancelSense));
        EXPECT_EQ(P().cbRegulSense->currentText(), "Auto") << focus->metaObject()->className();
        EXPECT_EQ(P().speSense->value(), SensOfIndex(7)) << focus->metaObject()->className();
    }
}

TEST_F(SetupPageTest, ShownInAlarmTheSignalIsDashesAndTheBarEmpty) {
    Enter(Detector());
    SendCycle(With([](detlink::DetectorStatus& d) { d.w2.state = StateAlarm; }));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_EQ(window->ActivePage(), Page::Sense);
    EXPECT_EQ(P().lSenseSignal->text(), "---");
    EXPECT_DOUBLE_EQ(window->dblSenseSignal, 0);
    EXPECT_DOUBLE_EQ(window->chSenseModel.At(0).Point(0).x, 0);
}

// Presets lock the page, and its Apply with them: F5 runs it, yet sends nothing, not the spin
// box's step left from before.
TEST_F(SetupPageTest, ALockedPageSendsNothingOnF5) {
    Enter(With([](detlink::DetectorStatus& d) { d.w4.reg = RegSpecial; }));
    ASSERT_NE(IndexOfSens(P().speSense->value()), window->Status().w3.senspp);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(ArmedSlots().empty());
}

// The state leaves Normal while the page is shown: the signal reads "---" and its bar goes at
// once, without waiting for the page to be shown again.
class SetupSignalOutsideNormal : public SetupPageTest, public testing::WithParamInterface<int> {};

TEST_P(SetupSignalOutsideNormal, ShowsDashesAndNoBar) {
    Enter(Detector());
    ASSERT_NE(P().lSenseSignal->text(), "---");
    ASSERT_GT(window->chSenseModel.At(0).Point(0).x, 0);
    if (GetParam() == StatePause) {
        clock.AdvanceSeconds(2.6);
        Tick();
    } else {
        detlink::DetectorStatus changed = Detector();
        changed.w2.state = static_cast<std::uint16_t>(GetParam());
        Send({changed.Word(2)});
        Send({changed.Word(1)});
    }
    EXPECT_EQ(P().lSenseSignal->text(), "---");
    EXPECT_DOUBLE_EQ(window->dblSenseSignal, 0);
    EXPECT_DOUBLE_EQ(window->chSenseModel.At(0).Point(0).x, 0);
}

INSTANTIATE_TEST_SUITE_P(States, SetupSignalOutsideNormal,
                         testing::Values(StateAlarm, StateMalfunction, StatePause),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(StateName(info.param));
                         });

// How many pixels of the row between two columns have the colour.
int Count(const QImage& image, int row, int from, int to, QRgb colour) {
    int n = 0;
    for (int x = from; x <= to; ++x)
        n += image.pixel(x, row) == colour;
    return n;
}

// The Setup page's white signal bar on the white chart is seen by its outline; the
// Calibration page's coloured bar keeps none.
TEST_F(SetupPageTest, TheSignalBarIsSeenOnTheWhiteChart) {
    Enter(Detector());
    ChartWidget* chart = window->chSense;
    const QImage image = chart->grab().toImage();
    const chart::Series& bar = window->chSenseModel.At(0);
    const QPoint end = chart->ToPixel(bar.Point(0).x, bar.Point(0).y).toPoint();
    const int left = chart->PlotArea().left();
    const int top = end.y() - bar.BarWidth() / 2;
    ASSERT_GT(end.x() - left, 20);
    EXPECT_GT(Count(image, top, left + 1, end.x() - 1, qRgb(0, 0, 0)), (end.x() - left) * 9 / 10);
    EXPECT_EQ(image.pixel(end.x(), end.y()), qRgb(0, 0, 0));

    detlink::DetectorStatus calibrating = Detector();
    calibrating.w2.state = StateCalibration;
    calibrating.w1.sig = 400;
    Send({calibrating.Word(2), calibrating.Word(1)});
    ASSERT_EQ(window->ActivePage(), Page::TuneUp);
    ChartWidget* tuneUp = window->chTuneUp;
    const QImage calibration = tuneUp->grab().toImage();
    const chart::Series& signal = window->chTuneUpModel.At(0);
    const QPoint tip = tuneUp->ToPixel(signal.Point(0).x, signal.Point(0).y).toPoint();
    const int from = tuneUp->PlotArea().left();
    const int edge = tip.y() - signal.BarWidth() / 2;
    ASSERT_GT(tip.x() - from, 20);
    const QRgb lime = qRgb(0, 0xFF, 0);
    EXPECT_EQ(Count(calibration, edge, from, tip.x() - 1, lime), tip.x() - from);
    // The tip's own column holds the maximum's marker line.
    EXPECT_EQ(calibration.pixel(tip.x() - 1, tip.y()), lime);
}

} // namespace
} // namespace console
