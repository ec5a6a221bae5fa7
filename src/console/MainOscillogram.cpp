// The window's side of the oscillogram: what it reads from the Settings page and the
// Properties page, the update it runs for the page, and the view controls that show and
// call the oscillogram's control rules.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "console/OscillogramGroup.h"
#include "console/PageControl.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "console/chart/ChartWidget.h"

#include <QAbstractItemView>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QToolButton>

namespace console {

namespace {
constexpr int kSpecial2 = 3;
// lPeriod's distance below the plot's frame.
constexpr int kPeriodGap = 1;
} // namespace

void TfmMain::BuildOscillogramGroup() {
    OscillogramGroup* g = gbOscillogram;
    connect(g->sbBottomAxisSlow, &QToolButton::clicked, this, [this] { sbBottomAxisSlowClick(); });
    connect(g->sbBottomAxisFast, &QToolButton::clicked, this, [this] { sbBottomAxisFastClick(); });
    connect(g->sbLeftAxisUp, &QToolButton::clicked, this, [this] { sbLeftAxisUpClick(); });
    connect(g->sbLeftAxisDown, &QToolButton::clicked, this, [this] { sbLeftAxisDownClick(); });
    connect(g->chbAutoYScale, &QCheckBox::clicked, this, [this] { chbAutoYScaleClick(); });
    connect(g->playButtons, &QButtonGroup::idClicked, this, [this](int mode) {
        oscControls.playMode = static_cast<oscillogram::PlayMode>(mode);
        ShowOscillogramControls();
    });
    actAutoYScale->setText(QStringLiteral("Auto scaling Y <F11>"));
    // Under the plot's right end, in a strip of its own: over the plot it would hide the newest
    // points once the page is full.
    lPeriod = new QLabel(chRange);
    lPeriod->setAutoFillBackground(true);
    QPalette ground = lPeriod->palette();
    ground.setColor(QPalette::Window, ChartWidget::Ground());
    lPeriod->setPalette(ground);
    lPeriod->setMargin(1);
    chRange->SetBottomStrip(lPeriod->fontMetrics().height() + 2 * lPeriod->margin() +
                            2 * kPeriodGap);
    connect(chRange, &ChartWidget::resized, this, [this] { RecalcMaxPointsPerPage(); });
}

// The stack lays out only the page in front. The Settings page takes the same place now, so
// the points per page come from the chart's real width before that page is first shown.
void TfmMain::PrepareOscillogram() {
    layout()->activate();
    centralWidget()->layout()->activate();
    pcMain->layout()->activate();
    tsRange->setGeometry(tsRange->parentWidget()->contentsRect());
    tsRange->layout()->activate();
    oscControls.RecalcMaxPointsPerPage(OscillogramInputs());
    chRangeModel.bottomAxis.SetMinMax(0, 1.01 * osc.MaxPointsPerPage);
    chRangeModel.Touch();
    ShowOscillogramControls();
}

void TfmMain::ShowOscillogramControls() {
    OscillogramGroup* g = gbOscillogram;
    g->sbBottomAxisSlow->setEnabled(oscControls.sbBottomAxisSlowEnabled);
    g->sbBottomAxisFast->setEnabled(oscControls.sbBottomAxisFastEnabled);
    g->sbLeftAxisUp->setEnabled(oscControls.sbLeftAxisUpEnabled);
    g->sbLeftAxisDown->setEnabled(oscControls.sbLeftAxisDownEnabled);
    g->chbAutoYScale->setChecked(oscControls.autoYScaleChecked);
    g->playButtons->button(static_cast<int>(oscControls.playMode))->setChecked(true);
    lPeriod->setText(QString::fromStdString(oscControls.lPeriod));
    lPeriod->adjustSize();
    const QRect plot = chRange->PlotArea();
    lPeriod->move(plot.right() + 1 - lPeriod->width(), plot.bottom() + 1 + kPeriodGap);
}

void TfmMain::sbLeftAxisUpClick() {
    oscControls.sbLeftAxisUpClick();
    ShowOscillogramControls();
}

void TfmMain::sbLeftAxisDownClick() {
    oscControls.sbLeftAxisDownClick();
    ShowOscillogramControls();
}

void TfmMain::sbBottomAxisSlowClick() {
    oscControls.sbBottomAxisSlowClick(OscillogramInputs());
    ShowOscillogramControls();
}

void TfmMain::sbBottomAxisFastClick() {
    oscControls.sbBottomAxisFastClick(OscillogramInputs());
    ShowOscillogramControls();
}

void TfmMain::RecalcMaxPointsPerPage() {
    oscControls.RecalcMaxPointsPerPage(OscillogramInputs());
    ShowOscillogramControls();
}

void TfmMain::chbAutoYScaleClick() {
    oscControls.autoYScaleChecked = gbOscillogram->chbAutoYScale->isChecked();
    oscControls.chbAutoYScaleClick(Status(), OscillogramInputs());
    ShowOscillogramControls();
}

void TfmMain::actAutoYScaleExecute() {
    oscControls.actAutoYScaleExecute(Status(), OscillogramInputs());
    ShowOscillogramControls();
}

void TfmMain::actPlayChangeExecute() {
    oscControls.actPlayChangeExecute();
    ShowOscillogramControls();
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
    ShowOscillogramControls();
}

void TfmMain::OnNewAlarm() {
    if (oscControls.playMode == oscillogram::PlayMode::ShowUntilAlarm)
        oscControls.playMode = oscillogram::PlayMode::Pause;
    ShowOscillogramControls();
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
    ShowOscillogramControls();
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
