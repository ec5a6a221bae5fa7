// The main window on a fake port and a fake clock: pages and shortcuts around
// identification, the status panel, the Calibration page and the Settings page's Apply.
#include "ConsoleFixture.h"
#include "ModalWatch.h"

#include "catalogue/DateTime.h"
#include "catalogue/DetectorCatalogue.h"
#include "console/CalibrationPage.h"
#include "console/ErrorNotice.h"
#include "console/LinkPacer.h"
#include "console/PageControl.h"
#include "console/PageTabBar.h"
#include "console/PortComboBox.h"
#include "console/SettingsBand.h"
#include "console/SetupPage.h"
#include "console/StatusPanel.h"
#include "oscillogram/Oscillogram.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace console {
namespace {

using MainWindow = ConsoleFixture;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(MainWindow, BeforeIdentificationOnlyAboutExistsAndNoShortcutWorks) {
    EXPECT_EQ(window->pcMain->TabBar()->count(), 1);
    EXPECT_EQ(window->ActivePage(), Page::About);
    EXPECT_EQ(window->memoNote->text(), "Select detector connection port ...");
    QSignalSpy password(window->actEnterPassword, &QAction::triggered);
    for (int key :
         {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10})
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(window->ActivePage(), Page::About);
    EXPECT_EQ(password.count(), 0);
    EXPECT_FALSE(Slot(0).bSend);
}

TEST_F(MainWindow, FullCycleIdentifiesAndOpensTheSettingsPage) {
    SendCycle(Detector());
    EXPECT_EQ(TabCaptions(), QStringList({"About Us <F1>", "Calibration <F2>", "Settings <F3>"}));
    EXPECT_EQ(window->ActivePage(), Page::Range);
    EXPECT_TRUE(window->alMain->isEnabled());
    // The model and the address come only with the next full cycle.
    EXPECT_EQ(window->gbParameters->lModel->text(), "---");
    EXPECT_EQ(window->gbParameters->lVersion->text(), "1.3");
    EXPECT_EQ(window->gbParameters->lPosition->text(), "C07");
    SendCycle(Detector());
    EXPECT_EQ(window->gbParameters->lModel->text(), "Orvel 10");

    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(window->ActivePage(), Page::About);
    EXPECT_EQ(window->memoNote->text(), "Select 'Calibration' or 'Settings' mode.");
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(window->ActivePage(), Page::Range);
    QTest::keyClick(window.get(), Qt::Key_F9);
    EXPECT_EQ(window->ActivePage(), Page::Range);
}

TEST_F(MainWindow, PageRulesForEachAccessLevel) {
    SendCycle(Detector());
    const struct {
        int level;
        QStringList tabs;
        Page front;
        Qt::Key key;
        Page afterKey;
    } cases[] = {
        {0,
         {"About Us <F1>", "Calibration <F2>", "Setup <F3>"},
         Page::Sense,
         Qt::Key_F3,
         Page::Sense},
        {2,
         {"About Us <F1>", "Calibration <F2>", "Settings <F3>", "Properties <F9>"},
         Page::Params,
         Qt::Key_F3,
         Page::Range},
        {2,
         {"About Us <F1>", "Calibration <F2>", "Settings <F3>", "Properties <F9>"},
         Page::Params,
         Qt::Key_F9,
         Page::Params},
        {1,
         {"About Us <F1>", "Calibration <F2>", "Settings <F3>"},
         Page::Range,
         Qt::Key_F9,
         Page::Range},
        {5,
         {"About Us <F1>", "Calibration <F2>", "Settings <F3>"},
         Page::Range,
         Qt::Key_F3,
         Page::Range},
    };
    for (const auto& c : cases) {
        window->eAccessLevel = c.level;
        QTest::keyClick(window.get(), Qt::Key_F1);
        window->UpdatePageTabs();
        EXPECT_EQ(TabCaptions(), c.tabs) << "level " << c.level;
        const Page front = c.level == 5 ? Page::About : c.front;
        EXPECT_EQ(window->ActivePage(), front) << "level " << c.level;
        QTest::keyClick(window.get(), c.key);
        EXPECT_EQ(window->ActivePage(), c.level == 5 ? Page::About : c.afterKey)
            << "level " << c.level;
    }
    // Esc brings no page to the front.
    window->eAccessLevel = 1;
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->ActivePage(), Page::Range);
}

TEST_F(MainWindow, StatusLinesFollowTheirWords) {
    auto d = Detector();
    d.w2.aver = 512;
    d.w5.ref = 0;
    d.w5.amplif = 3;
    d.w4.reg = 2;
    d.w7.freq = 1;
    d.w4.dist = 16;
    d.w7.pwr = 1023;
    // The zone and method word reads the band from the supply word before it.
    SendCycle(d);
    SendCycle(d);
    const StatusPanel* p = window->gbParameters;
    EXPECT_EQ(p->lDist->text(), "150  m");
    EXPECT_EQ(p->lSens->text(), "66  %");
    EXPECT_EQ(p->lRegul->text(), "Auto");
    EXPECT_EQ(p->lSpeed->text(), Decimal("0.2") + "...6  m/s");
    EXPECT_EQ(p->lAver->text(), Decimal("250.244  mV"));
    EXPECT_EQ(p->lPower->text(), Decimal("37.3  V"));
    EXPECT_EQ(p->lState->text(), "Normal");
    d.w4.reg = 1;
    d.w3.ctrl_pp_mp = 1;
    Send({d.Word(3), d.Word(4)});
    EXPECT_EQ(p->lRegul->text(), "Special 2");
    EXPECT_EQ(p->lSens->text(), "---");
    // The Calibration page blanks the signal level itself; back on the Settings page the next
    // speed word shows it again, though no word has changed.
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(p->lAver->text(), "---");
    QTest::keyClick(window.get(), Qt::Key_F3);
    Send({d.Word(5)});
    EXPECT_EQ(p->lAver->text(), Decimal("250.244  mV"));
}

TEST_F(MainWindow, AddressLineOnlyForAddressedDetectors) {
    auto d = Detector();
    d.w7.out = 1;
    d.w6.adr = 5;
    SendCycle(d);
    SendCycle(d);
    EXPECT_FALSE(window->gbParameters->lAddress->isHidden());
    EXPECT_EQ(window->gbParameters->lAddress->text(), "5");
    d.w7.out = 0;
    SendCycle(d);
    EXPECT_TRUE(window->gbParameters->lAddress->isHidden());
    EXPECT_TRUE(window->gbRange->cbNewAddress->isHidden());
}

TEST_F(MainWindow, ShortFirmwareGetsTheShortSensitivityList) {
    auto d = Detector();
    d.w6.cs = 0;
    SendCycle(d);
    EXPECT_EQ(window->gbRange->cbRangeSens->count(), 20);
    EXPECT_EQ(window->gbRange->cbRangeSens->itemText(18), "64");
    EXPECT_EQ(window->gbRange->cbRangeSens->itemText(19), "---");
    EXPECT_EQ(window->tsSense->speSense->minimum(), 64);
    EXPECT_EQ(window->gbRange->cbRegulRange->count(), 3);
}

TEST_F(MainWindow, CalibrationPageArmsItsCommandsAndFollowsTheSignal) {
    SendCycle(Detector());
    Drain();
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_TRUE(Slot(0).bSend);
    EXPECT_EQ(SlotState(), 1);
    EXPECT_EQ(window->gbParameters->lAver->text(), "---");

    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    d.w5.ref = 0;
    d.w5.amplif = 3;
    d.w1.sig = 400; // 195.503 mV
    Send({d.Word(5), d.Word(2), d.Word(1)});
    ShowHeldViews();
    EXPECT_EQ(window->tsTuneUp->lSignal->text(), Decimal("195.503"));
    const chart::ChartModel& chart = window->chTuneUpModel;
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 500);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.increment, 100);
    EXPECT_NEAR(chart.At(0).Point(0).x, 195.503, 1e-3);
    EXPECT_EQ(chart.At(0).Colour(), 0x00FF00u);
    EXPECT_NEAR(chart.At(1).Point(0).x, 195.503, 1e-3);
    d.w1.sig = 300;
    Send({d.Word(1)});
    ShowHeldViews();
    EXPECT_EQ(chart.At(0).Colour(), 0xFF0000u);
    EXPECT_EQ(window->tsTuneUp->lTuneUpMax->text(), Decimal("195.503"));
    QTest::keyClick(window.get(), Qt::Key_F8);
    EXPECT_EQ(chart.At(0).Colour(), 0x00FF00u);
    EXPECT_DOUBLE_EQ(chart.bottomAxis.maximum, 500); // 146.6 mV: still below 500
    EXPECT_EQ(window->tsTuneUp->lTuneUpMax->text(), Decimal("146.628"));

    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(window->ActivePage(), Page::Range);
    EXPECT_TRUE(Slot(0).bSend);
    EXPECT_EQ(SlotState(), 0);
}

// The page rules alone would bring the Settings page forward first, and its show routine would
// take the detector out of the calibration the installer is in.
TEST_F(MainWindow, DetectorCalibratingAtIdentificationStaysInCalibration) {
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_EQ(TabCaptions(), QStringList({"About Us <F1>", "Calibration <F2>", "Settings <F3>"}));
    EXPECT_TRUE(ArmedSlots().empty());
}

TEST_F(MainWindow, Auto3DetectorIsSwitchedToAutoAtIdentification) {
    auto d = Detector();
    d.w4.reg = catalogue::RegAuto3;
    SendCycle(d);
    EXPECT_TRUE(Slot(2).bSend);
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes),
              (detlink::Command2Fields{1, 1, 16, catalogue::RegAuto}));
}

TEST_F(MainWindow, SignalWordsOnTheSettingsPageDrawTheOscillogram) {
    SendCycle(Detector());
    ASSERT_EQ(window->ActivePage(), Page::Range);
    const chart::Series& signal = window->chRangeModel.At(oscillogram::serRangeSignal);
    const std::size_t before = signal.Count();
    clock.AdvanceSeconds(1.1);
    Send({Detector().Word(1)});
    EXPECT_EQ(signal.Count(), before + 1);
    Send({Detector().Word(1)}); // within the second: the rate limit holds it back
    EXPECT_EQ(signal.Count(), before + 1);
    QTest::keyClick(window.get(), Qt::Key_F2);
    clock.AdvanceSeconds(1.1);
    Send({Detector().Word(1)});
    EXPECT_EQ(signal.Count(), before + 1);
}

TEST_F(MainWindow, EndOfCalibrationClearsTheLabels) {
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    d.w2.state = catalogue::StateNormal;
    Send({d.Word(2)});
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_EQ(window->tsTuneUp->lSignal->text(), "---");
    EXPECT_EQ(window->tsTuneUp->lTuneUpMax->text(), "---");
    EXPECT_DOUBLE_EQ(window->dblTuneUpMax, -1);
}

// A beam lost during calibration says "No signal!"; once the detector is back in Normal that
// is no longer true and is not left standing.
TEST_F(MainWindow, NoSignalIsWithdrawnOnceTheDetectorIsBackInNormal) {
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    d.w2.state = catalogue::StateAlarm;
    Send({d.Word(2)});
    ASSERT_EQ(window->ActivePage(), Page::TuneUp);
    ASSERT_EQ(window->memoNote->text(), "No signal! Return the detector to previous position.");
    d.w2.state = catalogue::StateNormal;
    Send({d.Word(2)});
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_FALSE(window->memoNote->text().startsWith("No signal!"))
        << window->memoNote->text().toStdString();
}

TEST_F(MainWindow, StateChangeToCalibrationSwitchesPages) {
    auto d = Detector();
    SendCycle(d);
    ASSERT_EQ(window->ActivePage(), Page::Range);
    d.w2.state = catalogue::StateCalibration;
    Send({d.Word(2)});
    EXPECT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_EQ(window->gbParameters->lState->text(), "Calibration");
    EXPECT_EQ(window->memoNote->text(),
              "Adjust the detectors in horizontal and vertical axis. Then select 'Setup' mode.");
}

TEST_F(MainWindow, SettingsApplyArmsExactlyTheGroupsThatDiffer) {
    SendCycle(Detector());
    Drain();
    SettingsBand* b = window->gbRange;
    EXPECT_FALSE(b->btnApplyRange->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(window->bMoreToSend());

    Choose(b->cbNewMaxSpeed, 3);
    EXPECT_TRUE(b->btnApplyRange->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(b->btnApplyRange->isEnabled());
    EXPECT_EQ(ArmedSlots(), std::vector<int>({2}));
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes), (detlink::Command2Fields{1, 3, 16, 2}));

    Drain();
    Choose(b->cbRegulRange, 1); // Manual: one sensitivity for all three thresholds
    EXPECT_TRUE(b->cbRangePP->isHidden());
    EXPECT_FALSE(b->cbRangeSens->isHidden());
    Choose(b->cbRangeSens, 15); // 70 %
    EXPECT_EQ(b->cbRangeMP->currentIndex(), 15);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(ArmedSlots(), std::vector<int>({0, 1, 2}));
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes).senspp, 15);
    EXPECT_EQ(detlink::DecodeCommand1(Slot(1).Bytes), (detlink::Command1Fields{15, 15, 0}));
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes).reg, catalogue::RegManual);
}

TEST_F(MainWindow, ApplyLeavesOutAGroupWithAnEmptyBox) {
    auto d = Detector();
    d.w4.reg = 0;
    SendCycle(d);
    Drain();
    SettingsBand* b = window->gbRange;
    Choose(b->cbRangeSens, b->cbRangeSens->count() - 1); // "---"
    EXPECT_EQ(b->cbRangePP->currentIndex(), -1);
    Choose(b->cbNewMinSpeed, 3);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(ArmedSlots(), std::vector<int>({2}));
}

TEST_F(MainWindow, InvalidAddressIsCorrectedOnEntry) {
    auto d = Detector();
    d.w7.out = 1;
    d.w6.adr = 13;
    SendCycle(d);
    SendCycle(d); // the address box appears with the second full cycle
    Drain();
    QTest::keyClick(window.get(), Qt::Key_F1);
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(ArmedSlots(), std::vector<int>({0}));
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes).adr, 2);
    EXPECT_FALSE(window->gbRange->btnApplyRange->isEnabled());
}

TEST_F(MainWindow, LosingTheDetectorResetsTheWindow) {
    SendCycle(Detector());
    clock.AdvanceSeconds(2.6);
    Tick();
    EXPECT_EQ(window->gbParameters->lState->text(), "Pause");
    clock.AdvanceSeconds(3.6);
    Tick();
    EXPECT_EQ(window->gbParameters->lState->text(), "Disconnection");
    EXPECT_EQ(window->gbParameters->lModel->text(), "---");
    EXPECT_EQ(window->pcMain->TabBar()->count(), 1);
    EXPECT_FALSE(window->alMain->isEnabled());
    EXPECT_EQ(window->ActivePage(), Page::About);
}

TEST_F(MainWindow, ClosingDuringCalibrationWaitsForTheCommandToLeave) {
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    ASSERT_EQ(window->ActivePage(), Page::TuneUp);
    EXPECT_FALSE(window->bMoreToSend());
    port.writes.clear();
    // The detector keeps talking, so each cycle of the wait may send.
    port.chatter = WireFrame(d.Word(1));
    const QString ini = QDir(directory.path()).filePath("Mirelund.ini");
    const QByteArray settingsBefore = ReadFile(ini);
    window->close();
    EXPECT_FALSE(window->bMoreToSend());
    ASSERT_FALSE(port.writes.empty());
    const std::vector<std::uint8_t>& off = port.writes.front();
    EXPECT_EQ(detlink::CommandCode(off), 0);
    EXPECT_EQ(detlink::DecodeCommand0(off).state, 0);
    EXPECT_EQ(off.size(), 3u); // cs 1: three bytes with the check byte
    EXPECT_FALSE(port.open);
    EXPECT_EQ(ReadFile(ini), settingsBefore);
}

TEST_F(MainWindow, ClosingGivesUpOnTheCommandAfterTenSeconds) {
    auto d = Detector();
    d.w2.state = catalogue::StateCalibration;
    SendCycle(d);
    // No cycle can run to send the command; the clock moves half a second per pass.
    window->Pacer().Stop();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [this] { clock.AdvanceSeconds(0.5); });
    ticker.start(0);
    const double start = clock.SteadyNow();
    window->close();
    const double waited = (clock.SteadyNow() - start) / catalogue::kOneSecond;
    EXPECT_TRUE(window->bMoreToSend());
    EXPECT_GE(waited, 10.0);
    EXPECT_LE(waited, 11.0);
    EXPECT_FALSE(port.open);
}

TEST_F(MainWindow, ClosingWithoutADetectorClosesAtOnceAndWritesNothing) {
    window->close();
    EXPECT_EQ(window->memoNote->text(), "");
    EXPECT_FALSE(port.open);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_FALSE(QFile::exists(QDir(directory.path()).filePath("Mirelund.ini")));
}

TEST_F(MainWindow, IdentificationRemembersThePort) {
    SendCycle(Detector());
    EXPECT_TRUE(ReadFile(QDir(directory.path()).filePath("Mirelund.ini")).contains("ComPort=3"));
}

// The port that could not be remembered is said like any failed write, once for a run of
// failures.
TEST_F(MainWindow, APortThatCannotBeRememberedIsSaidOnce) {
    ASSERT_TRUE(QDir(directory.path()).mkdir("Mirelund.ini"));
    SendCycle(Detector());
    ASSERT_NE(window->errorNotice, nullptr);
    EXPECT_TRUE(window->errorNotice->isVisible());
    ASSERT_EQ(window->errorNotice->Shown().size(), 1);
    EXPECT_TRUE(window->errorNotice->Shown().front().contains("Mirelund.ini"))
        << window->errorNotice->text().toStdString();
    window->StoreComPort(3);
    EXPECT_EQ(window->errorNotice->Shown().size(), 1);
    // It waits in sight and is written once the file can be.
    EXPECT_EQ(window->pcMain->CornerLabel()->text(), "Not yet written: the port");
    ASSERT_TRUE(QDir(directory.path()).rmdir("Mirelund.ini"));
    window->WriteWaitingRecords();
    EXPECT_FALSE(window->pcMain->CornerLabel()->isVisible());
    QFile ini(directory.filePath("Mirelund.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("ComPort=3"));
}

// A fault inside a cycle is said in a notice that waits for nobody: the next cycle comes on
// time and reads the detector.
TEST_F(MainWindow, AFaultInsideACycleIsShownWithoutStoppingTheLink) {
    ModalWatch modal;
    port.throwOnRead = true;
    Tick();
    ASSERT_NE(window->errorNotice, nullptr);
    EXPECT_TRUE(window->errorNotice->isVisible());
    EXPECT_EQ(window->errorNotice->text(), "14:07:33.120 port fault");
    EXPECT_TRUE(window->Pacer().bActive());
    port.throwOnRead = false;
    SendCycle(Detector());
    EXPECT_GT(window->eDeviceState(), detlink::EDevNone);
    EXPECT_EQ(modal.iSeen, 0);
}

// A signal or the session's end closes the window while a dialog waits for an answer: the
// shut-down answers it and goes on.
TEST_F(MainWindow, ClosingAnswersADialogThatWaitsForTheOperator) {
    QMessageBox question(QMessageBox::Question, "Attention", "?",
                         QMessageBox::Yes | QMessageBox::No, window.get());
    bool leftOpen = false;
    QTimer::singleShot(0, window.get(), [&] { window->close(); });
    QTimer::singleShot(2000, &question, [&] {
        leftOpen = question.isVisible();
        question.close();
    });
    EXPECT_EQ(question.exec(), QMessageBox::No);
    EXPECT_FALSE(leftOpen);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, PortListFollowsTheSystemAndAFailedOpenSaysWhy) {
    PortComboBox* box = window->gbParameters->cbComPort;
    EXPECT_EQ(box->currentText(), "COM3");
    EXPECT_TRUE(port.open);
    port.ports = {3, 4};
    port.failure.clear();
    box->showPopup();
    box->hidePopup();
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), "COM3");
    EXPECT_EQ(window->memoNote->text(), "Select detector connection port ...");
    EXPECT_TRUE(window->memoNote->toolTip().isEmpty());

    port.ports = {4};
    port.failure = "/dev/ttyUSB0: in use by another program.";
    box->showPopup();
    box->hidePopup();
    EXPECT_EQ(box->currentText(), "COM4");
    port.ports = {};
    Choose(box, 0); // the operator picks the port, which has gone meanwhile
    EXPECT_EQ(window->memoNote->text(), "Cannot open selected COM port !!!");
    // The list is empty now: the reason is that, not a port named COM0.
    EXPECT_EQ(window->memoNote->toolTip(),
              "No serial port found: plug in the detector's serial adapter.");
    EXPECT_EQ(box->count(), 0);
}

// F4 opens the port list from any page, whatever has the focus, with or without a detector:
// the caption "Connection <F4>" and the guide promise it.
TEST_F(MainWindow, F4OpensThePortListFromEveryPage) {
    PortComboBox* box = window->gbParameters->cbComPort;
    const auto pressF4With = [&](QWidget* focused) {
        if (focused) {
            window->activateWindow();
            focused->setFocus();
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                        Qt::Key_F4);
        const bool open = box->view()->isVisible();
        box->hidePopup();
        return open;
    };
    EXPECT_TRUE(pressF4With(nullptr)) << "no detector yet";
    SendCycle(Detector());
    Drain();
    ASSERT_EQ(window->ActivePage(), Page::Range);
    EXPECT_TRUE(pressF4With(window->gbRange->cbNewMaxSpeed)) << "another list has the focus";
    QTest::keyClick(window.get(), Qt::Key_F2);
    EXPECT_TRUE(pressF4With(nullptr)) << "the Calibration page";
}

} // namespace
} // namespace console
