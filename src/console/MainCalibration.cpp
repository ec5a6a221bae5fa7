// The Calibration page's handlers, the per-word page refresh and the calibration commands.
#include "console/Main.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/CalibrationPage.h"
#include "console/MillivoltChart.h"
#include "console/NoteMessages.h"
#include "console/PageControl.h"
#include "console/SettingsBand.h"
#include "console/StatusPanel.h"
#include "console/chart/ChartWidget.h"
#include "link/CommandRules.h"

#include <QLabel>

#include <utility>

namespace console {

namespace {

// A bar ratio at or above this keeps the bar lime: the installer is near the best alignment.
constexpr double kNearMaximum = 0.9;
constexpr std::uint32_t kLime = 0x00FF00;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlack = 0x000000;

} // namespace

void TfmMain::SetUpTuneUpChart() {
    chTuneUp = tsTuneUp->SetChart(new ChartWidget(chTuneUpModel));
    chart::ChartModel& c = chTuneUpModel;
    SetUpMillivoltChart(c, 1, dblTuneUpAxisMax);
    AddSignalBar(c, kLime, 0, 0.5); // serTuneUp
    AddMarkerLine(c, kBlack, 0, 1); // serMax
    c.Touch();
}

void TfmMain::DrawTuneUp() {
    chart::ChartModel& c = chTuneUpModel;
    chart::Series& serTuneUp = c.At(0);
    const std::uint32_t colour = bTuneUpLime ? kLime : kRed;
    serTuneUp.SetColour(colour);
    serTuneUp.Clear();
    serTuneUp.Add(dblTuneUpSignal, 0.5, colour);
    c.At(1).SetPosition(0, dblTuneUpMax, 1);
    SetMillivoltAxis(c, dblTuneUpAxisMax);
    c.Touch();
}

void TfmMain::QueueCalibrationOn() {
    linkCycle.Cmd.Arm(detlink::CalibrationCommands(Status(), linkCycle.Cmd, 1));
}

void TfmMain::QueueCalibrationOff() {
    linkCycle.Cmd.Arm(detlink::CalibrationCommands(Status(), linkCycle.Cmd, 0));
}

void TfmMain::tsTuneUpShow() {
    MarkPlotTime();
    bCalibrationToBook = true;
    bCalibrationLeft = false;
    if (Status().w2.state != catalogue::StateCalibration)
        QueueCalibrationOn();
    SetNote(kNoteAdjust);
    gbParameters->lAver->setText(QStringLiteral("---"));
    shownInputs.Forget(ShownInputs::Line::SignalLevel);
    pacedViews.Release(PacedViews::View::StatusSignal);
    pacedViews.Release(PacedViews::View::CalibrationSignal);
    dblTuneUpMax = 0;
    dblTuneUpSignal = 0;
    UpdateTuneUp();
}

void TfmMain::tsTuneUpHide() {
    if (eDeviceState() > detlink::EDevNone && Status().w2.state == catalogue::StateCalibration) {
        QueueCalibrationOff();
        // The calibration ends after the page, through Settings Change.
        bCalibrationLeft = bCalibrationToBook;
    }
}

// One line for each visit of the page: a beam lost and found (Calibration, Alarm, Calibration)
// and the states that follow the end do not end it again.
void TfmMain::BookCalibrationEnd() {
    bCalibrationLeft = false;
    if (std::exchange(bCalibrationToBook, false) && Connected())
        WriteSiteBook(records::kEventCalibrationEnded);
}

void TfmMain::UpdateTuneUp() {
    const auto& s = Status();
    const double v = catalogue::SignalMillivolts(s.w5.ref, s.w1.sig, s.w5.amplif);
    if (v >= dblTuneUpMax) {
        dblTuneUpMax = v;
        dblTuneUpAxisMax = catalogue::TuneUpAxisMaximum(dblTuneUpMax);
    }
    dblTuneUpSignal = v;
    if (PaintNow(PacedViews::View::CalibrationSignal))
        PaintTuneUp();
    ShowGuidance();
}

// The maximum is followed in every word; the bar and the figures show the newest.
void TfmMain::PaintTuneUp() {
    const double v = dblTuneUpSignal;
    tsTuneUp->lSignal->setText(QString::fromStdString(catalogue::FormatFixed(v, 3, cDecimal)));
    tsTuneUp->lTuneUpMax->setText(
        QString::fromStdString(catalogue::FormatFixed(dblTuneUpMax, 3, cDecimal)));
    // With a maximum of 0 the ratio is undefined; an unmoved bar counts as at its maximum.
    bTuneUpLime = dblTuneUpMax <= 0 || v / dblTuneUpMax >= kNearMaximum;
    DrawTuneUp();
}

void TfmMain::btnTuneUpClearClick() {
    dblTuneUpMax = dblTuneUpSignal;
    bTuneUpLime = true;
    pacedViews.Release(PacedViews::View::CalibrationSignal);
    DrawTuneUp();
    UpdateTuneUp();
}

void TfmMain::OnSignalWord() {
    const bool connected = eDeviceState() > detlink::EDevNone;
    switch (ActivePage()) {
    case Page::TuneUp:
        MarkPlotTime();
        if (connected && Status().w2.state == catalogue::StateCalibration)
            UpdateTuneUp();
        break;
    case Page::Sense:
        MarkPlotTime();
        if (connected && Status().w2.state == catalogue::StateNormal)
            UpdateSenseSignal();
        break;
    case Page::Range:
        RunOscillogram();
        break;
    default:
        break;
    }
}

void TfmMain::OnStateWord() {
    ShowStateLine();
    const int previous = PrevStatus().w2.state;
    const int current = Status().w2.state;
    const bool settled = current == catalogue::StateNormal || current == catalogue::StateAlarm;
    const bool calibrationEnded = previous == catalogue::StateCalibration && settled;
    if (ActivePage() == Page::TuneUp ? calibrationEnded : bCalibrationLeft && settled)
        BookCalibrationEnd();
    if (ActivePage() == Page::TuneUp) {
        if (calibrationEnded) {
            pacedViews.Release(PacedViews::View::CalibrationSignal);
            dblTuneUpSignal = -1;
            dblTuneUpMax = -1;
            tsTuneUp->lSignal->setText(QStringLiteral("---"));
            tsTuneUp->lTuneUpMax->setText(QStringLiteral("---"));
            DrawTuneUp();
            tsRangeShow();
        } else if (previous == catalogue::StateAlarm && current == catalogue::StateCalibration) {
            const bool connected = eDeviceState() > detlink::EDevNone;
            if (eAccessLevel == 0)
                pcMain->SetTabVisible(Page::Sense, connected);
            else if (eAccessLevel == 1 || eAccessLevel == 2)
                pcMain->SetTabVisible(Page::Range, connected);
        }
    }
    if (previous != catalogue::StateAlarm && current == catalogue::StateAlarm &&
        ActivePage() == Page::Range)
        OnNewAlarm();
    if (previous != catalogue::StateAlarm && current == catalogue::StateAlarm &&
        ActivePage() == Page::Sense)
        CountSenseAlarm();
    // Signal words refresh the Setup signal only in Normal: leaving it shows "---" at once.
    if (current != previous && ActivePage() == Page::Sense)
        UpdateSenseSignal();
    ShowGuidance();
}

} // namespace console
