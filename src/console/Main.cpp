// Start-up and shut-down of the main window, and the link timer.
#include "console/Main.h"

#include "console/NoteMessages.h"
#include "console/PageControl.h"

#include <QActionGroup>

namespace console {

TfmMain::TfmMain(QWidget* parent)
    : QMainWindow(parent) {
    BuildWindow();
    BuildActions();
    alMain->setEnabled(false);
    SetNote(kNoteWaiting);
}

TfmMain::~TfmMain() = default;

bool TfmMain::Connected() const {
    return false;
}

void TfmMain::pcMainChange(Page, Page to) {
    if (to == Page::About)
        SetNote(Connected() ? kNoteClear : kNoteWaiting);
}

void TfmMain::ShowGuidance() {}
void TfmMain::actApplyExecute() {}
void TfmMain::actSaveTrvExecute() {}
void TfmMain::actClearExecute() {}
void TfmMain::BuildRangePage() {}

} // namespace console
