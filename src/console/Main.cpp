// Start-up and shut-down of the main window, page switching and the link timer.
#include "console/Main.h"

#include "console/CalibrationPage.h"
#include "console/Guidance.h"
#include "console/NoteMessages.h"
#include "console/PageControl.h"
#include "console/SettingsBand.h"
#include "console/StatusPanel.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <exception>

namespace console {

TfmMain::TfmMain(QWidget* parent)
    : QMainWindow(parent), cDecimal(QLocale::system().decimalPoint().at(0).toLatin1()),
      sensTable(cDecimal) {
    BuildWindow();
    BuildActions();
    Timer = new QTimer(this);
    Timer->setInterval(1);
    Timer->setTimerType(Qt::PreciseTimer);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });
    connect(tsTuneUp->btnTuneUpClear, &QPushButton::clicked, this,
            [this] { btnTuneUpClearClick(); });
    ResetStatus();
    Timer->start();
}

TfmMain::~TfmMain() = default;

bool TfmMain::Connected() const { return eDeviceState() > detlink::EDevNone; }

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
        QueueCalibrationOff();
        break;
    case Page::Range:
        tsRangeShow();
        break;
    case Page::Params:
        break;
    }
}

void TfmMain::ShowGuidance() {
    const auto& s = Status();
    if (const auto entry = GuidanceEntry(ActivePage(), s.w2.state, s.w5.dis, s.w4.reg))
        SetNote(*entry);
}

void TfmMain::TimerTimer() {
    Timer->stop();
    try {
        linkCycle->TimerTimer();
    } catch (const std::exception& error) {
        QMessageBox::critical(this, windowTitle(), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(this, windowTitle(), QString());
    }
    Timer->start();
}

void TfmMain::actApplyExecute() {
    if (ActivePage() == Page::Range)
        btnApplyRangeClick();
}

void TfmMain::actSaveTrvExecute() {
    if (ActivePage() == Page::Range)
        chbSaveTrvRange->toggle();
}

void TfmMain::actClearExecute() {
    if (ActivePage() == Page::TuneUp)
        btnTuneUpClearClick();
    else if (ActivePage() == Page::Range && btnClearTrvRange->isEnabled())
        btnClearTrvRange->click();
}

void TfmMain::closeEvent(QCloseEvent* event) {
    SetNote(kNoteClear);
    QMainWindow::closeEvent(event);
}

} // namespace console
