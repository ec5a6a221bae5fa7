// Start-up and shut-down of the main window, page switching and the link timer.
#include "console/Main.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DateTime.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/Guidance.h"
#include "console/CalibrationPage.h"
#include "console/ComPortList.h"
#include "console/ErrorNotice.h"
#include "console/LinkPacer.h"
#include "console/NoteMessages.h"
#include "console/PageControl.h"
#include "console/PortComboBox.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "console/SetupPage.h"
#include "console/StatusPanel.h"
#include "records/TrafficLogStartUp.h"
#include "records/Version.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>

namespace console {

namespace {
// The longest the window waits, when closing, for the calibration-off command to leave.
constexpr double kCloseWait = 10 * catalogue::kOneSecond;
} // namespace

TfmMain::TfmMain(const detlink::Clock& clock, std::unique_ptr<detlink::SerialBackend> backend,
                 detlink::PortEnumerator enumerate, int startAccessLevel, QWidget* parent)
    : QMainWindow(parent)
    , eAccessLevel(startAccessLevel)
    , clock(clock)
    , cDecimal(QLocale::system().decimalPoint().at(0).toLatin1())
    , sensTable(cDecimal)
    , trafficLog(clock)
    , settingsFile(records::SettingsFilePath(), cDecimal)
    , recording(clock, *this)
    , Gate(std::move(backend))
    , linkCycle(clock, trafficLog, *this, Gate, std::move(enumerate), recording.Events)
    , osc(chRangeModel, clock, *this, rangeSink, *this, recording.Events, cDecimal)
    , oscControls(osc, chRangeModel, *this) {
    tmPacedViews = new QTimer(this);
    tmPacedViews->setObjectName(QStringLiteral("tmPacedViews"));
    tmPacedViews->setSingleShot(true);
    tmPacedViews->setTimerType(Qt::PreciseTimer);
    connect(tmPacedViews, &QTimer::timeout, this, [this] { PaintHeldViews(); });
    tmWaitingRecords = new QTimer(this);
    tmWaitingRecords->setObjectName(QStringLiteral("tmWaitingRecords"));
    connect(tmWaitingRecords, &QTimer::timeout, this, [this] { WriteWaitingRecords(); });
    BuildWindow();
    BuildActions();
    BuildOscillogramGroup();
    linkPacer = std::make_unique<LinkPacer>(
        clock, [this] { return std::make_pair(Gate.Watch(), Gate.Descriptor()); },
        [this](bool wokenByPort) {
            linkCycle.TimerTimer();
            return detlink::CycleOutcome{this->clock.SteadyNow(), linkCycle.NextDeadline(),
                                         linkCycle.ReadBytes(), wokenByPort};
        },
        nullptr);
    connect(tsTuneUp->btnTuneUpClear, &QPushButton::clicked, this,
            [this] { btnTuneUpClearClick(); });
    comPortList = std::make_unique<ComPortList>(gbParameters->cbComPort);
    connect(gbParameters->cbComPort, &PortComboBox::dropDown, this,
            [this] { cbComPortDropDown(); });
    connect(gbParameters->cbComPort, &QComboBox::activated, this, [this] { cbComPortChange(); });
    connect(chbSaveTrvRange, &QCheckBox::clicked, this, [this] { chbSaveTrvRangeClick(); });
    connect(btnClearTrvRange, &QPushButton::clicked, this, [this] { btnClearTrvRangeClick(); });

    trafficLog.OnLinesLost(
        [this](const std::string& text) { ShowNotice(QString::fromLocal8Bit(text.c_str())); });
    records::OpenTrafficLog(trafficLog, clock,
                            QLocale::system().dateFormat(QLocale::ShortFormat).toStdString());
    MarkPlotTime();
    setWindowTitle(QString::fromStdString(records::BaseCaption()));
    linkCycle.ResetStatus();
    SetUpTuneUpChart();
    const records::StartUpSettings settings = settingsFile.LoadAtStartUp(sensTable, zoneTable);
    if (settingsFile.ReadSiteBookKept())
        siteBook = std::make_unique<records::SiteBook>(records::kSiteBookFileName, cDecimal);
    pgParams->ShowSettings(settings.properties);
    pgParams->ShowTables();
    osc.iPointsPerSecond = settings.iPointsPerSecond;
    FillSensitivityLists(catalogue::kSensitivitySteps);
    PrepareOscillogram();
    linkCycle.iComPort = settings.iComPort;
    linkCycle.RefreshPortList();
    ShowTrafficLogNotice();
    linkPacer->Start();
}

// A log the operator asked for (by creating its file) but this run cannot keep is said where
// the first note is read, beside any reason the port gave.
void TfmMain::ShowTrafficLogNotice() {
    if (trafficLog.OffReason().empty())
        return;
    const QString reason = QString::fromStdString(trafficLog.OffReason());
    const QString tip = memoNote->toolTip();
    memoNote->setToolTip(tip.isEmpty() ? reason : tip + QLatin1Char('\n') + reason);
}

TfmMain::~TfmMain() = default;

bool TfmMain::Connected() const {
    return eDeviceState() > detlink::EDevNone;
}

void TfmMain::pcMainChange(Page from, Page to) {
    if (from == Page::TuneUp)
        tsTuneUpHide();
    else if (from == Page::Range)
        tsRangeHide();
    switch (to) {
    case Page::About:
        SetNote(Connected() ? kNoteClear : kNoteWaiting);
        break;
    case Page::TuneUp:
        tsTuneUpShow();
        break;
    case Page::Sense:
        tsSenseShow();
        break;
    case Page::Range:
        tsRangeShow();
        break;
    case Page::Params:
        tsParamsShow();
        break;
    }
}

void TfmMain::ShowGuidance() {
    const auto& s = Status();
    if (const auto entry = catalogue::GuidanceEntry(ActivePage(), s.w2.state, s.w5.dis, s.w4.reg))
        SetNote(*entry);
    // Where no note follows, "No signal!" would stay after the beam is back: it goes with it.
    else if (s.w2.state != catalogue::StateAlarm &&
             memoNote->text() == NoteMessages(catalogue::kNoteNoSignal).text)
        memoNote->clear();
}

void TfmMain::TimerTimer() {
    linkPacer->RunCycle(false);
}

void TfmMain::ReportError(const std::string& message) {
    ShowNotice(message.empty() ? QStringLiteral("Unknown error")
                               : QString::fromLocal8Bit(message.c_str()));
}

void TfmMain::ShowNotice(const QString& text) {
    if (!errorNotice)
        errorNotice = new ErrorNotice(this);
    errorNotice->Report(QString::fromStdString(catalogue::FormatTimeOfDay(clock.Now())), text);
}

// Esc is the Settings page's Cancel as its caption says, and like the button only while it is
// enabled; that Cancel only reloads the page from the detector. The error notice leaves the
// keyboard to the window, so an Esc pressed at it arrives here: it closes the notice first.
void TfmMain::actCancelExecute() {
    if (errorNotice && errorNotice->isVisible())
        errorNotice->close();
    else if (ActivePage() == Page::Sense)
        btnCancelSenseClick();
    else if (ActivePage() == Page::Range && gbRange->btnCancelRange->isEnabled())
        btnCancelRangeClick();
}

void TfmMain::actApplyExecute() {
    if (ActivePage() == Page::Sense)
        btnApplySenseClick();
    else if (ActivePage() == Page::Range)
        btnApplyRangeClick();
    else if (ActivePage() == Page::Params)
        btnApplayParamsClick();
}

void TfmMain::actSaveTrvExecute() {
    if (ActivePage() == Page::Sense)
        tsSense->chbSaveTrvSense->click();
    else if (ActivePage() == Page::Range)
        chbSaveTrvRange->click();
}

void TfmMain::actClearExecute() {
    if (ActivePage() == Page::TuneUp)
        btnTuneUpClearClick();
    else if (ActivePage() == Page::Sense && tsSense->btnClearTrvSense->isEnabled())
        tsSense->btnClearTrvSense->click();
    else if (ActivePage() == Page::Range && btnClearTrvRange->isEnabled())
        btnClearTrvRange->click();
}

void TfmMain::closeEvent(QCloseEvent* event) {
    // The waits below pump messages, so a second close request can arrive inside them; one
    // from a signal answers the question about unwritten records, which nobody will answer.
    if (bClosing) {
        if (bUnattendedClose)
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        event->ignore();
        return;
    }
    bClosing = true;
    // A signal or the session's end can close the window while a dialog waits for an answer:
    // the shut-down answers it with its cancel button rather than wait for a person.
    if (QWidget* dialog = QApplication::activeModalWidget())
        dialog->close();
    SetNote(kNoteClear);
    if (Status().w2.state == catalogue::StateCalibration) {
        QueueCalibrationOff();
        const double start = clock.SteadyNow();
        while (bMoreToSend() && clock.SteadyNow() - start <= kCloseWait) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QThread::msleep(1);
        }
    }
    linkPacer->Stop();
    Gate.Close();
    EndRecording();
    BookUnconfirmedSettings();
    FinishRecordsAtClose();
    if (errorNotice)
        errorNotice->close();
    event->accept();
}

} // namespace console
