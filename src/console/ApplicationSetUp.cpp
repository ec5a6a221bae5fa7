// The application object's names and icon, set once before the main window is made.
#include "console/ApplicationSetUp.h"

#include "records/Version.h"

#include <QApplication>
#include <QIcon>

namespace console {

namespace {

// The sizes of packaging/icons/mirelund-N.png, embedded in the executable by src/app/icon.qrc.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : kIconSizes) {
        icon.addFile(QStringLiteral(":/icon/mirelund-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

void SetUpApplication() {
    // No display name: Qt appends one to every window title, and the caption already begins
    // with the application title, so the frame would show it twice. The name is also the class
    // of the window's WM_CLASS, which the menu entry's StartupWMClass names.
    QApplication::setApplicationName(QString::fromLatin1(records::kBaseName));
    // Wayland groups the window with its menu entry, packaging/mirelund.desktop, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("mirelund"));
    // Every window of the application carries it, in the title bar and the task switcher.
    QApplication::setWindowIcon(ApplicationIcon());
}

} // namespace console
