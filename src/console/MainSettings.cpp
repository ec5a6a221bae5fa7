// The Settings page: loading the top band from the detector, the method rules, and Apply,
// which arms a command only for a group that differs from what the detector reports.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/PageLists.h"
#include "catalogue/ValueScales.h"
#include "console/AlarmsGroup.h"
#include "console/OscillogramGroup.h"
#include "console/PageControl.h"
#include "console/SettingsBand.h"
#include "console/chart/ChartWidget.h"
#include "link/CommandRules.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace console {

namespace {

using enum catalogue::SettingsMethodItem;
// The last step of the short sensitivity list: what a threshold box without a value shows.
constexpr int kFallbackStep = catalogue::kShortSensitivitySteps - 1;
constexpr int kChartTop = 54;

bool Selected(const QComboBox* box) {
    return box->currentIndex() >= 0;
}

std::optional<int> Selection(const QComboBox* box) {
    if (!Selected(box))
        return std::nullopt;
    return box->currentIndex();
}

void SelectOrFallback(QComboBox* box, int item) {
    box->setCurrentIndex(item);
    if (!Selected(box))
        box->setCurrentIndex(kFallbackStep);
}

void Show(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}

} // namespace

void TfmMain::BuildRangePage() {
    gbRange = new SettingsBand(cDecimal, tsRange);
    gbRange->move(0, -3);
    auto* alarms = new AlarmsGroup(tsRange);
    alarms->move(556, -3);
    gbTrv = alarms;
    chbSaveTrvRange = alarms->chbSaveTrvRange;
    lTrvNumberRange = alarms->lTrvNumberRange;
    btnClearTrvRange = alarms->btnClearTrvRange;

    // The oscillogram fills the page below the band and follows it when the window grows.
    chRange = new ChartWidget(chRangeModel, tsRange);
    auto* rows = new QVBoxLayout(tsRange);
    rows->setContentsMargins(0, kChartTop, 0, 0);
    rows->addWidget(chRange);

    SettingsBand* band = gbRange;
    connect(band->btnApplyRange, &QPushButton::clicked, this, [this] { btnApplyRangeClick(); });
    connect(band->btnCancelRange, &QPushButton::clicked, this, [this] { btnCancelRangeClick(); });
    connect(band->cbRegulRange, &QComboBox::activated, this, [this] { cbRegulRangeChange(); });
    connect(band->cbDistRange, &QComboBox::activated, this, [this] { cbDistRangeChange(); });
    connect(band->cbRangeSens, &QComboBox::activated, this, [this] { cbRangeSensChange(); });
    for (QComboBox* box : {band->cbRangePP, band->cbRangeMP, band->cbRangeBP, band->cbNewMinSpeed,
                           band->cbNewMaxSpeed, band->cbNewLetter, band->cbNewAddress,
                           band->cbNewPosSymbol, band->cbNewPosNumber1, band->cbNewPosNumber2})
        connect(box, &QComboBox::activated, this, [this] { EnableApplyRange(true); });
}

void TfmMain::EnableApplyRange(bool enabled) {
    gbRange->btnApplyRange->setEnabled(enabled);
    gbRange->btnCancelRange->setEnabled(enabled);
}

void TfmMain::tsRangeShow() {
    const auto& s = Status();
    MarkPlotTime();
    if (ActivePage() == Page::Range)
        gbOscillogram->show();
    QueueCalibrationOff();
    btnCancelRangeClick();
    RunOscillogram();
    if (gbRange->AddressVisible() && !catalogue::IsValidAddress(s.w6.adr)) {
        gbRange->cbNewAddress->setCurrentIndex(1);
        btnApplyRangeClick();
    }
    FitOscillogram();
}

void TfmMain::tsRangeHide() {
    gbOscillogram->hide();
}

// Every box of the page returns to the detector's values: what a box still showed after a
// Cancel would be sent by the next Apply.
void TfmMain::btnCancelRangeClick() {
    const auto& s = Status();
    gbRange->cbNewLetter->setCurrentIndex(s.w6.letter);
    gbRange->cbNewMinSpeed->setCurrentIndex(s.w5.vel_min);
    gbRange->cbNewMaxSpeed->setCurrentIndex(s.w5.vel_max);
    const bool addressed = catalogue::IsAddressed(s.w6.dev, s.w7.out);
    gbRange->cbNewAddress->setCurrentIndex(addressed ? s.w6.adr - 1 : -1);
    QComboBox* method = gbRange->cbRegulRange;
    method->clear();
    for (const std::string& item : catalogue::SettingsMethodList(s.w6.cs))
        method->addItem(QString::fromStdString(item));
    method->setCurrentIndex(
        catalogue::SettingsMethodPosition(s.w6.cs, s.w4.reg, s.w3.ctrl_pp_mp).value_or(-1));

    QComboBox* zone = gbRange->cbDistRange;
    zone->clear();
    for (int i = 0; i < catalogue::ZoneLengthCount(s.w6.dev); ++i)
        zone->addItem(QString::number(10 * (i + 1)));
    zone->setCurrentIndex(std::max(s.w4.dist - catalogue::kFirstZoneIndex, 0));

    switch (s.w4.reg) {
    case catalogue::RegManual:
        gbRange->cbRangeSens->setCurrentIndex(s.w3.senspp);
        break;
    case catalogue::RegSpecial:
        // The "---" entry after the steps; the short list has none there, so nothing shows.
        gbRange->cbRangeSens->setCurrentIndex(catalogue::kSensitivitySteps);
        break;
    default:
        gbRange->cbRangeSens->setCurrentIndex(
            catalogue::TableThresholdCount(zoneTable, s.w7.freq, s.w4.dist));
        break;
    }
    SelectOrFallback(gbRange->cbRangePP, s.w3.senspp);
    SelectOrFallback(gbRange->cbRangeMP, s.w3.sensmp);
    SelectOrFallback(gbRange->cbRangeBP, s.w4.sensbp);
    cbRegulRangeChange();
    SelectPosition();
    EnableApplyRange(false);
}

void TfmMain::cbRegulRangeChange() {
    SettingsBand* b = gbRange;
    const int method = b->cbRegulRange->currentIndex();
    if (method >= MethodAuto && method <= MethodSpecial2) {
        b->cbRangeSens->setEnabled(method == MethodManual);
        b->cbDistRange->setEnabled(method == MethodAuto);
        b->cbRangePP->setEnabled(method == MethodSpecial1);
        b->cbRangeMP->setEnabled(method == MethodSpecial1);
        b->cbRangeBP->setEnabled(method == MethodSpecial1 || method == MethodSpecial2);
        Show({b->lRangeSens, b->cbRangeSens}, method == MethodAuto || method == MethodManual);
        Show({b->lRangePP, b->cbRangePP, b->lRangeMP, b->cbRangeMP},
             method == MethodAuto || method == MethodSpecial1);
        Show({b->lRangeBP, b->cbRangeBP}, method != MethodManual);
        if (method == MethodAuto)
            cbDistRangeChange();
    }
    EnableApplyRange(true);
}

void TfmMain::cbDistRangeChange() {
    SettingsBand* b = gbRange;
    if (b->cbRegulRange->currentIndex() != MethodAuto || !Selected(b->cbDistRange))
        return;
    const int c = catalogue::TableThresholdCount(
        zoneTable, Status().w7.freq, b->cbDistRange->currentIndex() + catalogue::kFirstZoneIndex);
    b->cbRangeSens->setCurrentIndex(c);
    for (QComboBox* box : {b->cbRangePP, b->cbRangeMP, b->cbRangeBP})
        SelectOrFallback(box, c);
    EnableApplyRange(true);
}

void TfmMain::cbRangeSensChange() {
    SettingsBand* b = gbRange;
    if (b->cbRegulRange->currentIndex() == MethodManual) {
        b->cbRangePP->setCurrentIndex(b->cbRangeSens->currentIndex());
        SelectOrFallback(b->cbRangeMP, b->cbRangePP->currentIndex());
        SelectOrFallback(b->cbRangeBP, b->cbRangePP->currentIndex());
    }
    EnableApplyRange(true);
}

void TfmMain::btnApplyRangeClick() {
    SettingsBand* b = gbRange;
    const detlink::SettingsSelection chosen{.method = Selection(b->cbRegulRange),
                                            .zone = Selection(b->cbDistRange),
                                            .pl = Selection(b->cbRangePP),
                                            .ll = Selection(b->cbRangeMP),
                                            .hl = Selection(b->cbRangeBP),
                                            .vel_min = Selection(b->cbNewMinSpeed),
                                            .vel_max = Selection(b->cbNewMaxSpeed),
                                            .address = Selection(b->cbNewAddress),
                                            .letter = Selection(b->cbNewLetter),
                                            .symbol = Selection(b->cbNewPosSymbol),
                                            .tens = Selection(b->cbNewPosNumber1),
                                            .units = Selection(b->cbNewPosNumber2),
                                            .addressShown = b->AddressVisible(),
                                            .letterEnabled = b->cbNewLetter->isEnabled(),
                                            .positionShown = b->PositionVisible()};
    const detlink::CommandBatch batch = detlink::SettingsApplyCommands(Status(), chosen);
    linkCycle.Cmd.Arm(batch);

    FitOscillogram();
    EnableApplyRange(false);
    if (AwaitConfirmation(batch))
        recording.Events.Raise(detlink::RecordingEvent::SettingsChange);
}

} // namespace console
