// The application object's names, set once before the main window is made.
#include "console/ApplicationSetUp.h"

#include "records/Version.h"

#include <QApplication>

namespace console {

void SetUpApplication() {
    // No display name: Qt appends one to every window title, and the caption already begins
    // with the application title, so the frame would show it twice.
    QApplication::setApplicationName(QString::fromLatin1(records::kBaseName));
}

} // namespace console
