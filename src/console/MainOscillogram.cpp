// The window's side of the oscillogram: what it reads from the Settings page and the
// Properties page, and the update it runs for the page.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "console/chart/ChartWidget.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace console {

namespace {
constexpr int kSpecial2 = 3;
}

void TfmMain::MarkPlotTime() {
    osc.dblLastPlotTime = clock.SteadyNow();
}

void TfmMain::RunOscillogram() {
    osc.UpdateOscillogram(Status(), PrevStatus());
}

oscillogram::ControlInputs TfmMain::OscillogramInputs() const {
    oscillogram::ControlInputs inputs;
    inputs.selectFilterText = pgParams->cbSelectFilter->currentText().toStdString();
    inputs.chartWidth = chRange->width();
    inputs.hlOnlyRegulation = gbRange->cbRegulRange->currentIndex() == kSpecial2;
    return inputs;
}

void TfmMain::FitOscillogram() {
    const oscillogram::ControlInputs inputs = OscillogramInputs();
    oscControls.chbAutoYScaleClick(Status(), inputs);
    oscControls.RecalcMaxPointsPerPage(inputs);
}

void TfmMain::OnNewAlarm() {
    if (oscControls.playMode == oscillogram::PlayMode::ShowUntilAlarm)
        oscControls.playMode = oscillogram::PlayMode::Pause;
    RunOscillogram();
}

void TfmMain::ResetAlarmLatches() {
    osc.ResetAlarmLatches();
}

bool TfmMain::PauseDown() const {
    return oscControls.playMode == oscillogram::PlayMode::Pause;
}

bool TfmMain::DisplaySignalDuringAlarm() const {
    return pgParams->cbDisplaySignalDuringAlarm->isChecked();
}

std::optional<int> TfmMain::DisplayMode() const {
    const int mode = pgParams->ThresholdMode();
    if (mode < 0)
        return std::nullopt;
    return mode;
}

// The frame marks thresholds the detector reports differently from what the page shows,
// while nothing is being edited or sent.
void TfmMain::UpdateWrongThresholdsFrame() {
    const auto& s = Status();
    SettingsBand* b = gbRange;
    const bool differs = b->cbRangePP->currentIndex() != s.w3.senspp ||
                         b->cbRangeMP->currentIndex() != s.w3.sensmp ||
                         b->cbRangeBP->currentIndex() != s.w4.sensbp;
    const bool idle = !b->btnApplyRange->isEnabled() && !Cmd(0).bAwait && !Cmd(1).bAwait;
    const bool closed = !b->cbRangePP->view()->isVisible() && !b->cbRangeMP->view()->isVisible() &&
                        !b->cbRangeBP->view()->isVisible();
    b->shWrongThresholds->setVisible(differs && idle && closed);
}

void TfmMain::AutoYScale() {
    oscControls.chbAutoYScaleClick(Status(), OscillogramInputs());
}

double TfmMain::TablePL(int step) const {
    return catalogue::TablePL(sensTable, step);
}

double TfmMain::TableLL(int step) const {
    return catalogue::TableLL(sensTable, step);
}

double TfmMain::TableHL(int step) const {
    return catalogue::TableHL(sensTable, step);
}

void TfmMain::RangeSink::WriteLogLine(const std::string& text) {
    window.WriteLogLine(text);
}

} // namespace console
