// The window's side of the link: port list and notes, page requests and the settings key
// of the port.
#include "console/Main.h"

#include "console/ComPortList.h"
#include "console/LinkPacer.h"
#include "console/NoteMessages.h"
#include "console/PageControl.h"
#include "console/PortComboBox.h"
#include "console/StatusPanel.h"

#include <QLabel>

namespace console {

const detlink::PendingCommand& TfmMain::Cmd(int k) const {
    return linkCycle.Cmd.Cmd.at(static_cast<std::size_t>(k));
}

bool TfmMain::IsCalibrationPageActive() const {
    return ActivePage() == Page::TuneUp;
}

void TfmMain::ShowCalibrationPage() {
    SetActivePage(Page::TuneUp);
}

void TfmMain::ShowPortNote(detlink::PortNote note) {
    if (note == detlink::PortNote::SelectPort) {
        SetNote(kNoteSelectPort);
        return;
    }
    SetNote(kNoteCannotOpen);
    memoNote->setToolTip(QString::fromStdString(Gate.OpenFailure()));
}

detlink::PortListView& TfmMain::PortList() {
    return *comPortList;
}

// The port is closed and reopened here, outside a cycle: the pacer lets go of the old
// descriptor first and takes up the new one at the cycle it starts.
void TfmMain::cbComPortDropDown() {
    linkPacer->Stop();
    linkCycle.RefreshPortList();
    linkPacer->Start();
}

void TfmMain::cbComPortChange() {
    linkPacer->Stop();
    linkCycle.cbComPortChange();
    linkPacer->Start();
}

// Every identification writes the port: a settings file that refuses it would otherwise lose
// the run's port without a word. A refused port waits, and is tried again, like every record.
void TfmMain::StoreComPort(int port) {
    const records::WriteOutcome outcome = settingsFile.WriteComPort(port);
    if (!outcome && !unwrittenComPort)
        ReportError(outcome.sError);
    unwrittenComPort = outcome ? std::nullopt : std::optional(port);
    ShowWaitingRecords();
}

} // namespace console
