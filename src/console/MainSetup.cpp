// The Setup page's handlers: loading from the detector, the method and zone rules, the preset
// lock, Apply, the signal line with its chart and markers, and the alarm counter.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/MillivoltChart.h"
#include "console/PageControl.h"
#include "console/SetupPage.h"
#include "console/chart/ChartWidget.h"
#include "link/CommandRules.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace console {

namespace {

using enum catalogue::SettingsMethodItem;

// The chart's series, in drawing order.
enum SenseSeries : std::size_t { serSenseSignal, serNewMin, serNewMax, serMin, serMax };

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kBlack = 0x000000;
// The signal bar sits halfway up the fixed left axis; the markers span all of it.
constexpr double kSignalHeight = 1;
constexpr double kMarkerHeight = 2;
constexpr double kStartAxisMax = 2;
constexpr double kStartSignal = 100;
constexpr double kPercent = 0.01;

} // namespace

void TfmMain::BuildSetupPage() {
    SetupPage* page = tsSense;
    chSense = page->SetChart(new ChartWidget(chSenseModel));
    chart::ChartModel& c = chSenseModel;
    SetUpMillivoltChart(c, kMarkerHeight, kStartAxisMax);
    AddSignalBar(c, kWhite, kStartSignal, kSignalHeight);
    for (const std::uint32_t colour : {kGrey, kGrey, kBlack, kBlack})
        AddMarkerLine(c, colour, 0, kMarkerHeight);
    c.Touch();

    page->cbRegulSense->onDropDown = [this] { return cbRegulSenseDropDown(); };
    page->cbRegulSense->keysLocked = [this] { return SensePresetsLocked(); };
    connect(page->cbRegulSense, &QComboBox::activated, this, [this] { cbRegulSenseChange(); });
    connect(page->cbDistSense, &QComboBox::activated, this, [this] { cbDistSenseChange(); });
    connect(page->speSense, &QSpinBox::valueChanged, this, [this] { speSenseChange(); });
    connect(page->btnApplySense, &QPushButton::clicked, this, [this] { btnApplySenseClick(); });
    connect(page->btnCancelSense, &QPushButton::clicked, this, [this] { btnCancelSenseClick(); });
    connect(page->chbSaveTrvSense, &QCheckBox::clicked, this, [this] { chbSaveTrvSenseClick(); });
    connect(page->btnClearTrvSense, &QPushButton::clicked, this,
            [this] { btnClearTrvSenseClick(); });
}

void TfmMain::tsSenseShow() {
    QueueCalibrationOff();
    btnCancelSenseClick();
    dblSenseNewMax = 0;
    dblSenseNewMin = 0;
    dblSenseMax = 0;
    dblSenseMin = 0;
    dblSenseSignal = 0;
    pacedViews.Release(PacedViews::View::SetupSignal);
    UpdateSenseSignal();
}

bool TfmMain::SensePresetsLocked() const {
    return Status().w4.reg == catalogue::RegSpecial &&
           tsSense->cbRegulSense->currentIndex() ==
               catalogue::SetupMethodPosition(catalogue::RegSpecial);
}

void TfmMain::FillSenseMethods(bool inSpecial) {
    SetupMethodBox* box = tsSense->cbRegulSense;
    box->clear();
    for (const std::string& item : catalogue::SetupMethodList(inSpecial))
        box->addItem(QString::fromStdString(item));
}

// A cs 0 detector cannot go below its lowest sensitivity, whatever it reports.
void TfmMain::SetSenseSensitivity(int percent) {
    tsSense->speSense->setValue(std::max(percent, catalogue::MinSensitivity(Status().w6.cs)));
}

void TfmMain::LoadSenseZoneAndSensitivity() {
    const auto& s = Status();
    tsSense->cbDistSense->setCurrentIndex(std::max(s.w4.dist - catalogue::kFirstZoneIndex, 0));
    SetSenseSensitivity(catalogue::SensOfIndex(s.w3.sensmp));
    cbRegulSenseChange();
}

void TfmMain::EnableSenseControls(bool enabled) {
    for (QWidget* control :
         {static_cast<QWidget*>(tsSense->cbDistSense), static_cast<QWidget*>(tsSense->speSense),
          static_cast<QWidget*>(tsSense->btnApplySense),
          static_cast<QWidget*>(tsSense->btnCancelSense)})
        control->setEnabled(enabled);
}

void TfmMain::btnCancelSenseClick() {
    const auto& s = Status();
    if (s.w4.reg == catalogue::RegSpecial) {
        EnableSenseControls(false);
        FillSenseMethods(true);
        tsSense->cbRegulSense->setCurrentIndex(catalogue::SetupMethodPosition(s.w4.reg));
        return;
    }
    tsSense->cbRegulSense->setCurrentIndex(catalogue::SetupMethodPosition(s.w4.reg));
    LoadSenseZoneAndSensitivity();
}

void TfmMain::cbRegulSenseChange() {
    if (tsSense->cbRegulSense->currentIndex() == MethodAuto) {
        tsSense->speSense->setEnabled(false);
        cbDistSenseChange();
    } else {
        tsSense->speSense->setEnabled(true);
    }
}

void TfmMain::cbDistSenseChange() {
    if (tsSense->cbRegulSense->currentIndex() != MethodAuto)
        return;
    const int count = catalogue::TableThresholdCount(zoneTable, Status().w7.freq,
                                                     tsSense->cbDistSense->currentIndex() +
                                                         catalogue::kFirstZoneIndex);
    SetSenseSensitivity(catalogue::SensOfIndex(count));
}

void TfmMain::speSenseChange() {
    PlaceSetupMarkers();
}

void TfmMain::btnApplySenseClick() {
    // F5 comes here also while the presets lock the page and its Apply: the spin box then
    // holds a step from before, which is not the operator's choice.
    if (SensePresetsLocked())
        return;
    const detlink::SetupSelection chosen{.method = tsSense->cbRegulSense->currentIndex(),
                                         .zone = tsSense->cbDistSense->currentIndex(),
                                         .sensitivity = tsSense->speSense->value()};
    const detlink::CommandBatch batch = detlink::SetupApplyCommands(Status(), chosen);
    linkCycle.Cmd.Arm(batch);
    AwaitConfirmation(batch);
}

// Leaving the presets takes the operator's consent; without it the list stays shut, so no
// other method can be picked from it either.
bool TfmMain::cbRegulSenseDropDown() {
    if (!SensePresetsLocked())
        return true;
    const auto answer =
        QMessageBox::question(this, QStringLiteral("Attention"),
                              QStringLiteral("The detector has specific operating presets.\n"
                                             "Do you want to change them?"),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    FillSenseMethods(false);
    tsSense->cbRegulSense->setCurrentIndex(MethodAuto);
    EnableSenseControls(true);
    LoadSenseZoneAndSensitivity();
    return true;
}

void TfmMain::UpdateSenseSignal() {
    if (Status().w2.state != catalogue::StateNormal) {
        pacedViews.Release(PacedViews::View::SetupSignal);
        tsSense->lSenseSignal->setText(QStringLiteral("---"));
        dblSenseSignal = 0;
        ShowSenseSignalBar();
    } else if (PaintNow(PacedViews::View::SetupSignal)) {
        PaintSenseSignal();
    }
    ShowGuidance();
}

void TfmMain::PaintSenseSignal() {
    const auto& s = Status();
    dblSenseSignal = catalogue::SignalMillivolts(s.w5.ref, s.w1.sig, s.w5.amplif);
    tsSense->lSenseSignal->setText(
        QString::fromStdString(catalogue::FormatFixed(dblSenseSignal, 3, cDecimal)));
    ShowSenseSignalBar();
}

void TfmMain::ShowSenseSignalBar() {
    chSenseModel.At(serSenseSignal).SetPosition(0, dblSenseSignal, kSignalHeight);
    RescaleSenseAxis();
}

void TfmMain::PlaceSetupMarkers() {
    const auto& s = Status();
    if (ActivePage() != Page::Sense || s.w2.state == catalogue::StateAlarm)
        return;
    const double a = catalogue::SignalMillivolts(s.w5.ref, s.w2.aver, s.w5.amplif);
    chart::ChartModel& c = chSenseModel;
    dblSenseMin = a - TableLL(s.w3.sensmp) * a * kPercent;
    dblSenseMax = a + TablePL(s.w3.senspp) * a * kPercent;
    c.At(serMin).SetPosition(0, dblSenseMin, kMarkerHeight);
    c.At(serMax).SetPosition(0, dblSenseMax, kMarkerHeight);
    if (SensePresetsLocked()) {
        c.At(serNewMin).SetPosition(0, 0, kMarkerHeight);
        c.At(serNewMax).SetPosition(0, 0, kMarkerHeight);
    } else {
        const int step = catalogue::IndexOfSens(tsSense->speSense->value());
        dblSenseNewMin = a - TableLL(step) * a * kPercent;
        dblSenseNewMax = a + TablePL(step) * a * kPercent;
        c.At(serNewMin).SetPosition(0, dblSenseNewMin, kMarkerHeight);
        c.At(serNewMax).SetPosition(0, dblSenseNewMax, kMarkerHeight);
    }
    RescaleSenseAxis();
}

void TfmMain::RescaleSenseAxis() {
    chart::ChartModel& c = chSenseModel;
    const double maximum =
        catalogue::SenseAxisMaximum(std::max({dblSenseSignal, dblSenseNewMax, dblSenseMax}));
    SetMillivoltAxis(c, maximum);
    c.Touch();
}

void TfmMain::chbSaveTrvSenseClick() {
    const bool checked = tsSense->chbSaveTrvSense->isChecked();
    if (checked)
        tsSense->lTrvNumberSense->setText(QStringLiteral("0"));
    for (QWidget* control : {static_cast<QWidget*>(tsSense->lTrvSense),
                             static_cast<QWidget*>(tsSense->lTrvNumberSense),
                             static_cast<QWidget*>(tsSense->btnClearTrvSense)})
        control->setEnabled(checked);
}

void TfmMain::btnClearTrvSenseClick() {
    tsSense->lTrvNumberSense->setText(QStringLiteral("0"));
}

// The counter's own text is the count: a text that is no number counts from 0.
void TfmMain::CountSenseAlarm() {
    if (!tsSense->chbSaveTrvSense->isChecked())
        return;
    QLabel* number = tsSense->lTrvNumberSense;
    number->setText(QString::number(number->text().toInt() + 1));
}

} // namespace console
