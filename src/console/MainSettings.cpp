// The Settings page: loading the top band from the detector, the method rules, and Apply,
// which arms a command only for a group that differs from what the detector reports.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/PageLists.h"
#include "catalogue/ValueScales.h"
#include "console/PageControl.h"
#include "console/SettingsBand.h"
#include "console/chart/ChartWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace console {

namespace {

enum Method { kAuto = 0, kManual = 1, kSpecial1 = 2, kSpecial2 = 3 };
// The last step of the short sensitivity list: what a threshold box without a value shows.
constexpr int kFallbackStep = 18;
constexpr int kChartTop = 54;

bool Selected(const QComboBox* box) {
    return box->currentIndex() >= 0;
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
    gbTrv = new QGroupBox(QStringLiteral("Alarms  "), tsRange);
    gbTrv->setGeometry(556, -3, 87, 58);
    chbSaveTrvRange = new QCheckBox(QStringLiteral("Save <F6>"), gbTrv);
    chbSaveTrvRange->setGeometry(6, 12, 75, 17);
    lTrvNumberRange = new QLabel(QStringLiteral("0"), gbTrv);
    lTrvNumberRange->setGeometry(43, 0, 16, 13);
    lTrvNumberRange->setAlignment(Qt::AlignCenter);
    lTrvNumberRange->setEnabled(false);
    btnClearTrvRange = new QPushButton(QStringLiteral("Reset <F8>"), gbTrv);
    btnClearTrvRange->setGeometry(4, 28, 78, 25);
    btnClearTrvRange->setEnabled(false);

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
    gbRange->cbNewLetter->setCurrentIndex(s.w6.letter);
    if (s.w0.number != catalogue::kNoPosition)
        SelectPosition();
    gbRange->cbNewMinSpeed->setCurrentIndex(s.w5.vel_min);
    gbRange->cbNewMaxSpeed->setCurrentIndex(s.w5.vel_max);
    const bool addressed = catalogue::IsAddressed(s.w6.dev, s.w7.out);
    gbRange->cbNewAddress->setCurrentIndex(addressed ? s.w6.adr - 1 : -1);
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

void TfmMain::btnCancelRangeClick() {
    const auto& s = Status();
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
    zone->setCurrentIndex(s.w4.dist < 2 ? 0 : s.w4.dist - 2);

    switch (s.w4.reg) {
    case 0:
        gbRange->cbRangeSens->setCurrentIndex(s.w3.senspp);
        break;
    case 1:
        gbRange->cbRangeSens->setCurrentIndex(32);
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
    if (method >= kAuto && method <= kSpecial2) {
        b->cbRangeSens->setEnabled(method == kManual);
        b->cbDistRange->setEnabled(method == kAuto);
        b->cbRangePP->setEnabled(method == kSpecial1);
        b->cbRangeMP->setEnabled(method == kSpecial1);
        b->cbRangeBP->setEnabled(method == kSpecial1 || method == kSpecial2);
        Show({b->lRangeSens, b->cbRangeSens}, method == kAuto || method == kManual);
        Show({b->lRangePP, b->cbRangePP, b->lRangeMP, b->cbRangeMP},
             method == kAuto || method == kSpecial1);
        Show({b->lRangeBP, b->cbRangeBP}, method != kManual);
        if (method == kAuto)
            cbDistRangeChange();
    }
    EnableApplyRange(true);
}

void TfmMain::cbDistRangeChange() {
    SettingsBand* b = gbRange;
    if (b->cbRegulRange->currentIndex() != kAuto || !Selected(b->cbDistRange))
        return;
    const int c = catalogue::TableThresholdCount(zoneTable, Status().w7.freq,
                                                 b->cbDistRange->currentIndex() + 2);
    b->cbRangeSens->setCurrentIndex(c);
    for (QComboBox* box : {b->cbRangePP, b->cbRangeMP, b->cbRangeBP})
        SelectOrFallback(box, c);
    EnableApplyRange(true);
}

void TfmMain::cbRangeSensChange() {
    SettingsBand* b = gbRange;
    if (b->cbRegulRange->currentIndex() == kManual) {
        b->cbRangePP->setCurrentIndex(b->cbRangeSens->currentIndex());
        SelectOrFallback(b->cbRangeMP, b->cbRangePP->currentIndex());
        SelectOrFallback(b->cbRangeBP, b->cbRangePP->currentIndex());
    }
    EnableApplyRange(true);
}

// A group is armed only when every box it reads has a selection: an empty box (a value the
// detector reported that the list lacks, or "---" in Manual) would otherwise put a value on
// the wire that the operator never chose. In Manual the LL and HL boxes follow PL, so they
// count as unselected with it.
void TfmMain::btnApplyRangeClick() {
    const auto& s = Status();
    SettingsBand* b = gbRange;
    const int method = b->cbRegulRange->currentIndex();
    const bool methodChosen = method >= 0;
    const int r = method == kManual ? 0 : (method == kSpecial1 || method == kSpecial2) ? 1 : 2;
    const bool addressShown = b->AddressVisible();
    const bool letterEnabled = b->cbNewLetter->isEnabled();

    const int vmin = b->cbNewMinSpeed->currentIndex();
    const int vmax = b->cbNewMaxSpeed->currentIndex();
    const int dist = b->cbDistRange->currentIndex() + 2;
    if (methodChosen && Selected(b->cbNewMinSpeed) && Selected(b->cbNewMaxSpeed) &&
        Selected(b->cbDistRange) &&
        (vmin != s.w5.vel_min || vmax != s.w5.vel_max || dist != s.w4.dist || r != s.w4.reg))
        linkCycle.QueueCommand2(vmin, vmax, dist, r);

    const int h = method == kSpecial2 ? 1 : 0;
    const int pl = b->cbRangePP->currentIndex();
    const int adr = addressShown ? b->cbNewAddress->currentIndex() + 1 : s.w6.adr;
    const bool plChosen = Selected(b->cbRangePP);
    if (methodChosen && plChosen && (!addressShown || Selected(b->cbNewAddress)) &&
        (adr != s.w6.adr || pl != s.w3.senspp || h != s.w3.ctrl_pp_mp))
        linkCycle.QueueCommand0(adr, pl, 0, h);

    const int ll = b->cbRangeMP->currentIndex();
    const int hl = b->cbRangeBP->currentIndex();
    const int letter = letterEnabled ? b->cbNewLetter->currentIndex() : s.w6.letter;
    const bool thresholdsChosen =
        Selected(b->cbRangeMP) && Selected(b->cbRangeBP) && (method != kManual || plChosen);
    if (thresholdsChosen && (!letterEnabled || Selected(b->cbNewLetter)) &&
        (letter != s.w6.letter || ll != s.w3.sensmp || hl != s.w4.sensbp))
        linkCycle.QueueCommand1(ll, hl, letter);

    if (b->PositionVisible() && Selected(b->cbNewPosSymbol) && Selected(b->cbNewPosNumber1) &&
        Selected(b->cbNewPosNumber2)) {
        const int symbol = b->cbNewPosSymbol->currentIndex();
        const int tens = b->cbNewPosNumber1->currentIndex();
        const int units = b->cbNewPosNumber2->currentIndex();
        if (symbol != s.w0.symbol || tens != (s.w0.number / 10) % 10 || units != s.w0.number % 10)
            linkCycle.QueueCommand3(symbol, tens * 10 + units);
    }

    FitOscillogram();
    EnableApplyRange(false);
    if (bMoreToSend())
        recording.Events.Raise(detlink::RecordingEvent::SettingsChange);
}

void TfmMain::QueueAutoRegulation() {
    const auto& s = Status();
    const detlink::PendingCommand& slot = Cmd(2);
    if (!slot.bAwait) {
        linkCycle.QueueCommand2(s.w5.vel_min, s.w5.vel_max, s.w4.dist, 2);
        return;
    }
    if (((slot.Bytes[1] >> 5) & 3) != 2)
        linkCycle.QueueCommand2(slot.Bytes[0] & 3, (slot.Bytes[0] >> 2) & 3, slot.Bytes[1] & 0x1F,
                                2);
}

} // namespace console
