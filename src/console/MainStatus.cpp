// The status panel's refresh routines, identification and the status reset.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/NoteMessages.h"
#include "console/PageControl.h"
#include "console/PortComboBox.h"
#include "console/SettingsBand.h"
#include "console/SetupPage.h"
#include "console/StatusPanel.h"
#include "link/CommandRules.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace console {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The system colours resolve through the application's palette, as the platform's would.
QColor ToQColor(const catalogue::Colour& colour) {
    switch (colour.system) {
    case catalogue::SystemColour::ButtonFace:
        return QPalette().color(QPalette::Button);
    case catalogue::SystemColour::WindowText:
        return QPalette().color(QPalette::WindowText);
    case catalogue::SystemColour::None:
        break;
    }
    return QColor(colour.rgb.red, colour.rgb.green, colour.rgb.blue);
}

QString WithUnit(const std::string& number, const char* unit) {
    return Text(number) + QStringLiteral("  ") + QLatin1String(unit);
}

} // namespace

void TfmMain::ShowStateLine() {
    const int state = Status().w2.state;
    // A system colour follows the desktop's palette, which may change while the state does not.
    const catalogue::StateColourPair colours = catalogue::StateColour(state);
    const QColor background = ToQColor(colours.background);
    const QColor text = ToQColor(colours.text);
    if (!shownInputs.Changed(ShownInputs::Line::State, state, background.rgba(), text.rgba()))
        return;
    gbParameters->SetState(Text(catalogue::StateName(state)), background, text);
}

void TfmMain::ShowPosition() {
    const auto& w0 = Status().w0;
    if (shownInputs.Changed(ShownInputs::Line::Position, w0.symbol, w0.number)) {
        if (gbParameters->lPosition->isHidden()) {
            gbParameters->SetPositionVisible(true);
            gbRange->SetPositionVisible(true);
        }
        gbParameters->lPosition->setText(Text(catalogue::PositionText(w0.symbol, w0.number)));
    }
    // The Settings band's choice follows the detector until the operator edits it.
    if (!gbRange->btnApplyRange->isEnabled() || gbRange->cbNewPosSymbol->currentIndex() < 0 ||
        gbRange->cbNewPosNumber1->currentIndex() < 0 ||
        gbRange->cbNewPosNumber2->currentIndex() < 0)
        SelectPosition();
}

void TfmMain::SelectPosition() {
    const auto& w0 = Status().w0;
    // Every position word comes here: a box already showing its entry is left alone.
    const auto select = [](QComboBox* box, int index) {
        if (box->currentIndex() != index)
            box->setCurrentIndex(index);
    };
    select(gbRange->cbNewPosSymbol, w0.symbol);
    select(gbRange->cbNewPosNumber1, (w0.number / 10) % 10);
    select(gbRange->cbNewPosNumber2, w0.number % 10);
}

void TfmMain::ShowPauseState() {
    ShowStateLine();
    if (ActivePage() == Page::Sense)
        UpdateSenseSignal();
}

void TfmMain::ShowSetup() {
    const auto& s = Status();
    constexpr int kNoSensitivity = -1;
    const int sensitivityIndex = SensitivityIndexShown();
    if (shownInputs.Changed(ShownInputs::Line::Setup, s.w4.reg, s.w3.ctrl_pp_mp, sensitivityIndex,
                            s.w4.dist)) {
        gbParameters->lRegul->setText(Text(catalogue::RegulationName(s.w4.reg, s.w3.ctrl_pp_mp)));
        gbParameters->lSens->setText(
            sensitivityIndex == kNoSensitivity
                ? QStringLiteral("---")
                : WithUnit(std::to_string(catalogue::SensOfIndex(sensitivityIndex)), "%"));
        gbParameters->lDist->setText(
            WithUnit(std::to_string(catalogue::ZoneLengthOfIndex(s.w4.dist)), "m"));
    }
    PlaceSetupMarkers();
}

// Manual setup shows the detector's own sensitivity, automatic setup the one the zone table
// gives for the zone length (the table may be edited on the Properties page).
int TfmMain::SensitivityIndexShown() const {
    return SensitivityIndexOf(Status());
}

int TfmMain::SensitivityIndexOf(const detlink::DetectorStatus& s) const {
    return s.w4.reg == 0   ? s.w3.senspp
           : s.w4.reg == 1 ? -1
                           : catalogue::TableThresholdCount(zoneTable, s.w7.freq, s.w4.dist);
}

void TfmMain::ShowSpeed() {
    const auto& w5 = Status().w5;
    if (!shownInputs.Changed(ShownInputs::Line::Speed, w5.vel_min, w5.vel_max))
        return;
    gbParameters->lSpeed->setText(
        Text(catalogue::FormatFixed(catalogue::MinSpeedOfCode(w5.vel_min), 1, cDecimal)) +
        QStringLiteral("...") +
        WithUnit(std::to_string(catalogue::MaxSpeedOfCode(w5.vel_max)), "m/s"));
}

void TfmMain::ShowSignalLevel() {
    const auto& s = Status();
    if (ActivePage() == Page::TuneUp || s.w2.state == catalogue::StateAlarm) {
        pacedViews.Release(PacedViews::View::StatusSignal);
        if (shownInputs.Changed(ShownInputs::Line::SignalLevel, true))
            gbParameters->lAver->setText(QStringLiteral("---"));
        return;
    }
    if (!shownInputs.Changed(ShownInputs::Line::SignalLevel, false, s.w5.ref, s.w2.aver,
                             s.w5.amplif))
        return;
    // The text of the inputs just recorded: the status record may hold another level by the
    // time a held line is painted, and the line would then stay on it.
    sSignalLevelText =
        WithUnit(catalogue::FormatFixed(
                     catalogue::SignalMillivolts(s.w5.ref, s.w2.aver, s.w5.amplif), 3, cDecimal),
                 "mV");
    if (PaintNow(PacedViews::View::StatusSignal))
        PaintSignalLevel();
}

void TfmMain::PaintSignalLevel() {
    gbParameters->lAver->setText(sSignalLevelText);
}

void TfmMain::ShowIdentity() {
    const auto& w6 = Status().w6;
    if (!shownInputs.Changed(ShownInputs::Line::Identity, w6.cs, w6.prog, w6.letter, w6.dev))
        return;
    gbParameters->lVersion->setText(Text(catalogue::VersionText(w6.cs, w6.prog)));
    gbParameters->lUnitId->setText(Text(catalogue::UnitIdText(w6.letter)));
    const bool letterEditable = catalogue::UnitIdEditable(w6.dev);
    gbRange->lNewLetter->setEnabled(letterEditable);
    gbRange->cbNewLetter->setEnabled(letterEditable);
}

void TfmMain::ShowSupply() {
    const auto& s = Status();
    // The volts, not the raw word: the developer's coefficients (Kdc, Urd) change them too.
    const double volts = catalogue::SupplyVolts(s.w7.pwr);
    if (shownInputs.Changed(ShownInputs::Line::Supply, s.w6.dev, s.w7.out, volts)) {
        gbParameters->lOutput->setText(Text(catalogue::OutputKindName(s.w6.dev, s.w7.out)));
        gbParameters->lPower->setText(WithUnit(catalogue::FormatFixed(volts, 1, cDecimal), "V"));
    }
    if (eDeviceState() != detlink::EDevRefresh)
        return;
    gbParameters->lModel->setText(Text(catalogue::ModelName(s.w7.freq, s.w6.dev)));
    const bool addressed = catalogue::IsAddressed(s.w6.dev, s.w7.out);
    gbParameters->lAddress->setText(addressed ? QString::number(s.w6.adr) : QString());
    gbParameters->SetAddressVisible(addressed);
    gbRange->SetAddressVisible(addressed);
    if (std::exchange(bIdentityToBook, false))
        WriteSiteBook(records::kEventIdentified);
    BookConfirmedSettings();
}

void TfmMain::FillSensitivityLists(int stepCount) {
    for (QComboBox* box :
         {gbRange->cbRangeSens, gbRange->cbRangePP, gbRange->cbRangeMP, gbRange->cbRangeBP}) {
        box->blockSignals(true);
        box->clear();
    }
    const auto fill = [stepCount](QComboBox* box, const std::vector<std::string>& entries) {
        for (int i = 0; i < stepCount; ++i)
            box->addItem(Text(entries[static_cast<std::size_t>(i)]));
    };
    fill(gbRange->cbRangeSens, catalogue::SensitivityListEntries());
    fill(gbRange->cbRangePP, catalogue::PLListEntries(sensTable));
    fill(gbRange->cbRangeMP, catalogue::LLListEntries(sensTable));
    fill(gbRange->cbRangeBP, catalogue::HLListEntries(sensTable));
    gbRange->cbRangeSens->addItem(QStringLiteral("---"));
    for (QComboBox* box :
         {gbRange->cbRangeSens, gbRange->cbRangePP, gbRange->cbRangeMP, gbRange->cbRangeBP}) {
        box->setCurrentIndex(-1);
        box->blockSignals(false);
    }
}

void TfmMain::IdentifyDetector() {
    const auto& s = Status();
    tsSense->speSense->setMinimum(catalogue::MinSensitivity(s.w6.cs));
    FillSensitivityLists(catalogue::SensitivityStepCount(s.w6.cs));
    linkCycle.Cmd.Arm(detlink::AutoRegulationCommands(s, linkCycle.Cmd));
    // A calibrating detector goes straight to the Calibration page: passing through the
    // Settings page would send it the command that ends its calibration.
    bIdentityToBook = true;
    settingsToConfirm = {};
    bConfirmedToBook = false;
    UpdatePageTabs(s.w2.state != catalogue::StateCalibration);
    if (s.w2.state == catalogue::StateCalibration) {
        SetActivePage(Page::TuneUp);
    } else {
        SetActivePage(eAccessLevel == 0 ? Page::Sense : Page::Range);
        ShowGuidance();
    }
    alMain->setEnabled(true);
    // On to the next control that takes the focus, as Tab would, so that arrow keys and the
    // wheel no longer change the port.
    if (gbParameters->cbComPort->hasFocus())
        focusNextChild();
}

void TfmMain::ResetStatus() {
    if (ActivePage() != Page::TuneUp)
        SetActivePage(Page::About);
    for (QLabel* line : {gbParameters->lModel, gbParameters->lVersion, gbParameters->lOutput,
                         gbParameters->lUnitId, gbParameters->lAddress, gbParameters->lPosition,
                         gbParameters->lDist, gbParameters->lAver, gbParameters->lSens,
                         gbParameters->lRegul, gbParameters->lSpeed, gbParameters->lPower})
        line->setText(QStringLiteral("---"));
    shownInputs.ForgetAll();
    pacedViews.ReleaseAll();
    bIdentityToBook = false;
    BookUnconfirmedSettings();
    for (QComboBox* box :
         {gbRange->cbNewPosSymbol, gbRange->cbNewPosNumber1, gbRange->cbNewPosNumber2})
        box->setCurrentIndex(-1);
    ShowStateLine();
    SetNote(kNoteWaiting);
    UpdatePageTabs();
    alMain->setEnabled(false);
}

bool TfmMain::PaintNow(PacedViews::View view) {
    if (pacedViews.PaintNow(view, clock.SteadyNow()))
        return true;
    if (!tmPacedViews->isActive())
        ArmPacedViews();
    return false;
}

void TfmMain::ArmPacedViews() {
    const auto due = pacedViews.DueAt();
    if (!due) {
        tmPacedViews->stop();
        return;
    }
    // Rounded up, so that the timer never finds the value not yet due.
    constexpr double kMillisecondsPerDay = 86'400'000.0;
    const double wait = std::ceil((*due - clock.SteadyNow()) * kMillisecondsPerDay);
    tmPacedViews->start(static_cast<int>(std::clamp(wait, 0.0, 100.0)));
}

void TfmMain::PaintHeldViews() {
    const double now = clock.SteadyNow();
    using View = PacedViews::View;
    if (pacedViews.TakeDue(View::StatusSignal, now))
        PaintSignalLevel();
    if (pacedViews.TakeDue(View::SetupSignal, now))
        PaintSenseSignal();
    if (pacedViews.TakeDue(View::CalibrationSignal, now))
        PaintTuneUp();
    ArmPacedViews();
}

} // namespace console
