// The main window: the composition root that owns the link, the status record, the command
// slots and every control, and whose methods are the handlers of the operator console.
#pragma once

#include "catalogue/CorrespondenceTables.h"
#include "chart/ChartModel.h"
#include "console/PacedViews.h"
#include "console/Pages.h"
#include "console/ShownInputs.h"
#include "link/Clock.h"
#include "link/DetectorStatus.h"
#include "link/LinkCycle.h"
#include "link/LinkObserver.h"
#include "link/SerialBackend.h"
#include "link/SerialGate.h"
#include "link/TrafficLog.h"
#include "oscillogram/Oscillogram.h"
#include "oscillogram/OscillogramControls.h"
#include "oscillogram/OscillogramPorts.h"
#include "records/AlarmRecording.h"
#include "records/RecordingHost.h"
#include "records/SettingsFile.h"
#include "records/SiteBook.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace console {

class AboutPage;
class CalibrationPage;
class ChartWidget;
class OscillogramGroup;
class PageControl;
class PropertiesPage;
class ComPortList;
class ErrorNotice;
class LinkPacer;
class SettingsBand;
class SetupPage;
class StatusPanel;

class TfmMain : public QMainWindow,
                public detlink::LinkObserver,
                public records::RecordingHost,
                public oscillogram::OscillogramWindow,
                public oscillogram::ThresholdLevels {
    Q_OBJECT
public:
    // The clock, the serial backend and the system's port names come from outside, so tests
    // run the window on a fake clock and a fake port.
    // The access level the window starts at: 1, or 0 for the simple tuning of the Setup page.
    TfmMain(const detlink::Clock& clock, std::unique_ptr<detlink::SerialBackend> backend,
            detlink::PortEnumerator enumerate, int startAccessLevel = 1, QWidget* parent = nullptr);
    ~TfmMain() override;

    // Page rules: which tabs exist for the access level and the link state; with
    // bringToFront the level's working page comes to the front when its tab appears.
    void UpdatePageTabs(bool bringToFront = true);
    // Picks the guidance note from the page in front and the detector's state.
    void ShowGuidance() override;
    // Shows note entry k in its colour.
    void SetNote(int k);

    Page ActivePage() const;
    void SetActivePage(Page page);

    // One link cycle now; nothing wakes another while it runs, so cycles never overlap.
    void TimerTimer();
    // What wakes the link cycles.
    LinkPacer& Pacer() { return *linkPacer; }

    // Observer of the link: the views refreshed after each stored word.
    void ShowPosition() override;
    void OnSignalWord() override;
    void OnStateWord() override;
    void PlaceSetupMarkers() override;
    void ShowSetup() override;
    void ShowSpeed() override;
    void ShowSignalLevel() override;
    void ShowIdentity() override;
    void ShowSupply() override;
    void IdentifyDetector() override;
    void ResetStatus() override;
    void ShowPauseState() override;
    bool IsCalibrationPageActive() const override;
    void ShowCalibrationPage() override;
    void ShowPortNote(detlink::PortNote note) override;
    detlink::PortListView& PortList() override;
    void StoreComPort(int port) override;
    void ReportError(const std::string& message) override;
    // Paints the paced views whose held values are due; the pacing timer's handler.
    void PaintHeldViews();
    // Says a fault to the operator without waiting for an answer.
    void ShowNotice(const QString& text);
    // A close with nobody to ask (a signal, the session's end): what cannot be written at
    // the end goes to stderr instead of a question.
    void CloseUnattended();
    // Writes what waits: summaries the disk refused (and their walk tests' lines in the book),
    // the site book's waiting lines and a port the settings file refused. Then shows what
    // still waits. The retry timer's handler.
    void WriteWaitingRecords();

    void QueueCalibrationOn();
    void QueueCalibrationOff();

    // Calibration page.
    void tsTuneUpShow();
    void tsTuneUpHide();
    void UpdateTuneUp();
    void btnTuneUpClearClick();

    // Settings page.
    void tsRangeShow();
    void tsRangeHide();
    void btnCancelRangeClick();
    void cbRegulRangeChange();
    void cbDistRangeChange();
    void cbRangeSensChange();
    void btnApplyRangeClick();

    // Developer access and the Properties page.
    void actEnterPasswordExecute();
    void tsParamsShow();
    void btnApplayParamsClick();
    // Setup page.
    void tsSenseShow();
    void btnCancelSenseClick();
    void cbRegulSenseChange();
    void cbDistSenseChange();
    void speSenseChange();
    void btnApplySenseClick();
    // Runs as the method list opens; false keeps it shut.
    bool cbRegulSenseDropDown();
    void UpdateSenseSignal();
    void chbSaveTrvSenseClick();
    void btnClearTrvSenseClick();

    // Alarm recording.
    void chbSaveTrvRangeClick();
    void btnClearTrvRangeClick();
    records::Image RenderWindow() override;
    bool WriteLogLine(const std::string& text) override;
    void ResetAlarmLatches() override;

    // What the oscillogram reads from the window.
    bool PauseDown() const override;
    bool DisplaySignalDuringAlarm() const override;
    std::optional<int> DisplayMode() const override;
    void UpdateWrongThresholdsFrame() override;
    void AutoYScale() override;
    double TablePL(int step) const override;
    double TableLL(int step) const override;
    double TableHL(int step) const override;

    // The oscillogram's view controls.
    void sbLeftAxisUpClick();
    void sbLeftAxisDownClick();
    void sbBottomAxisSlowClick();
    void sbBottomAxisFastClick();
    void RecalcMaxPointsPerPage();
    void chbAutoYScaleClick();
    void actAutoYScaleExecute();
    void actPlayChangeExecute();
    int MaxPointsPerPage() const { return osc.MaxPointsPerPage; }

    // The link's state, read by the pages and by tests.
    const detlink::DetectorStatus& Status() const { return linkCycle.Status; }
    const detlink::DetectorStatus& PrevStatus() const { return linkCycle.PrevStatus; }
    int eDeviceState() const { return linkCycle.eDeviceState; }
    const detlink::PendingCommand& Cmd(int k) const;
    bool bMoreToSend() const { return linkCycle.bMoreToSend(); }
    int iComPort() const { return linkCycle.iComPort; }

    int eAccessLevel = 1;
    double dblTuneUpSignal = 0;
    double dblTuneUpMax = 0;
    double dblTuneUpAxisMax = 0.5;
    bool bTuneUpLime = true;
    // The Calibration chart: serTuneUp (the signal bar) and serMax (the maximum line).
    chart::ChartModel chTuneUpModel;
    ChartWidget* chTuneUp;
    // The Setup page's signal, its current band (serMin, serMax) and the chosen one
    // (serNewMin, serNewMax), in millivolts.
    double dblSenseSignal = 0;
    double dblSenseMin = 0;
    double dblSenseMax = 0;
    double dblSenseNewMin = 0;
    double dblSenseNewMax = 0;
    chart::ChartModel chSenseModel;
    ChartWidget* chSense;
    // The Settings page's oscillogram.
    chart::ChartModel chRangeModel;
    ChartWidget* chRange;
    QLabel* lPeriod;

    // Controls, named as the operator console names them.
    PageControl* pcMain;
    AboutPage* tsAbout;
    CalibrationPage* tsTuneUp;
    SetupPage* tsSense;
    QWidget* tsRange;
    QWidget* tsParams;
    PropertiesPage* pgParams;
    StatusPanel* gbParameters;
    OscillogramGroup* gbOscillogram;
    SettingsBand* gbRange;
    QGroupBox* gbTrv;
    QCheckBox* chbSaveTrvRange;
    QLabel* lTrvNumberRange;
    QPushButton* btnClearTrvRange;
    QLabel* memoNote;
    // Where errors met while the link runs are shown, without stopping it; made with the
    // first error, so a start-up never pays for it.
    ErrorNotice* errorNotice = nullptr;
    std::unique_ptr<ComPortList> comPortList;

    QActionGroup* alMain;
    QAction* actCancel;
    QAction* actAboutSelect;
    QAction* actTuneUpSelect;
    QAction* actSetupSelect;
    QAction* actApply;
    QAction* actSaveTrv;
    QAction* actPlayChange;
    QAction* actClear;
    QAction* actParamsSelect;
    QAction* actEnterPassword;
    QAction* actComPortSelect;
    QAction* actAutoYScale;
    QAction* actBottomAxisSlow;
    QAction* actBottomAxisFast;
    QAction* actLeftAxisUp;
    QAction* actLeftAxisDown;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void BuildActions();
    void BuildSetupPage();
    void BuildRangePage();
    void BuildPropertiesPage();
    void pcMainChange(Page from, Page to);
    bool Connected() const;
    void ShowTrafficLogNotice();

    void actCancelExecute();
    void actAboutSelectExecute();
    void actTuneUpSelectExecute();
    void actSetupSelectExecute();
    void actApplyExecute();
    void actSaveTrvExecute();
    void actClearExecute();
    void actParamsSelectExecute();

    // Status panel helpers.
    void ShowStateLine();
    void SelectPosition();
    void FillSensitivityLists(int stepCount);

    // Calibration helpers.
    void SetUpTuneUpChart();
    void DrawTuneUp();

    // Setup helpers.
    bool SensePresetsLocked() const;
    void FillSenseMethods(bool inSpecial);
    void SetSenseSensitivity(int percent);
    void LoadSenseZoneAndSensitivity();
    void EnableSenseControls(bool enabled);
    void RescaleSenseAxis();
    void CountSenseAlarm();

    // Settings helpers.
    void EnableApplyRange(bool enabled);

    void cbComPortDropDown();
    void cbComPortChange();
    void MarkPlotTime();
    void RunOscillogram();
    void FitOscillogram();
    void OnNewAlarm();
    oscillogram::ControlInputs OscillogramInputs() const;
    void BuildOscillogramGroup();
    void PrepareOscillogram();
    void ShowOscillogramControls();

    const detlink::Clock& clock;
    // The user's decimal separator, read once at start: every number of the run uses it.
    const char cDecimal;
    ShownInputs shownInputs;
    PacedViews pacedViews;
    // The site book, unless the settings file turns it off.
    std::unique_ptr<records::SiteBook> siteBook;
    // Identification waits for the next full cycle, which gives the model; a change waits for
    // the detector's confirmation.
    bool bIdentityToBook = false;
    // A visit of the Calibration page books its calibration's end once, by the page's own rule
    // (Calibration, then Normal or Alarm); left while the detector calibrates, the end is the
    // next Normal or Alarm.
    bool bCalibrationToBook = false;
    bool bCalibrationLeft = false;
    void BookCalibrationEnd();
    // The commands of the operator's Applies the detector has not yet confirmed, with the
    // settings they ask for; each is booked as the detector's words come to hold it.
    detlink::CommandBatch settingsToConfirm;
    // Confirmed settings not yet booked: the rest of their change may follow in the next cycle.
    bool bConfirmedToBook = false;
    // The detector as its last full cycle showed it: the ground of a "Settings not confirmed"
    // line once the link has reset the status.
    detlink::DetectorStatus lastFullCycle{};
    // An Apply's commands join those that await confirmation; one that armed nothing waits for
    // nothing, and counts as no change.
    bool AwaitConfirmation(const detlink::CommandBatch& batch);
    void WriteSiteBook(const char* event, const std::string& walkTestFolder = {},
                       const std::vector<std::string>& walkTestCounts = {});
    // The detector as a line of the book, stamped now.
    records::SiteBookEntry DetectorEntry(const char* event, const detlink::DetectorStatus& s) const;
    // The detector as last booked while the walk test ran: the walk test is booked for it when
    // the recording ends after the detector was lost.
    std::optional<records::SiteBookEntry> recordedDetector;
    void BookConfirmedSettings();
    void BookUnconfirmedSettings();
    void AppendToSiteBook(const records::SiteBookEntry& entry);
    // Stops the walk-test recording and books it for the detector recorded; a walk test whose
    // summary waits is booked once its summary is written.
    void EndRecording();
    std::vector<records::SiteBookEntry> walkTestsAwaitingSummary;
    void BookWalkTest(records::SiteBookEntry entry, const char* event);
    // What could not yet be written, one sentence each; empty when nothing waits.
    QStringList WaitingRecords() const;
    void ShowWaitingRecords();
    // The port of the last identification when the settings file refused it; the refusal is
    // said once, until the port is written.
    std::optional<int> unwrittenComPort;
    QTimer* tmWaitingRecords;
    // The end of the run's records at close: retried while a person asks for it; whatever
    // still waits is booked or set aside as such and said.
    void FinishRecordsAtClose();
    bool AskRetryAtClose(const QStringList& waiting);
    bool bUnattendedClose = false;
    void RememberRecordedDetector();
    // The sensitivity step the status panel shows, or -1 for "---".
    int SensitivityIndexShown() const;
    int SensitivityIndexOf(const detlink::DetectorStatus& s) const;
    QTimer* tmPacedViews;
    // True when the view is to be painted now; otherwise its value is held and the pacing
    // timer set.
    bool PaintNow(PacedViews::View view);
    void ArmPacedViews();
    void PaintSignalLevel();
    // The status line's signal level for the inputs last recorded, painted when it is due.
    QString sSignalLevelText;
    void PaintSenseSignal();
    void ShowSenseSignalBar();
    void PaintTuneUp();
    bool bClosing = false;
    catalogue::SensitivityTable sensTable;
    catalogue::ZoneLengthTable zoneTable;
    detlink::TrafficLog trafficLog;
    records::SettingsFile settingsFile;
    records::AlarmRecording recording;
    detlink::SerialGate Gate;
    detlink::LinkCycle linkCycle;
    // Declared after the port and the link it wakes, so it goes first.
    std::unique_ptr<LinkPacer> linkPacer;

    // The oscillogram's log lines go to the traffic log.
    class RangeSink final : public oscillogram::OscillogramSink {
    public:
        explicit RangeSink(TfmMain& window)
            : window(window) {}
        void WriteLogLine(const std::string& text) override;

    private:
        TfmMain& window;
    };
    RangeSink rangeSink{*this};
    oscillogram::Oscillogram osc;
    oscillogram::OscillogramControls oscControls;
};

} // namespace console
