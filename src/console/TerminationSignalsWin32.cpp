// Ctrl+C, Ctrl+Break, a closed console, a logoff or a shut-down as a close request to the
// main window. A window program has no console: the end of the Windows session reaches it as
// WM_QUERYENDSESSION, which Qt passes on as its request to commit data; the window's shut-down
// runs then, before the system ends the process. The console's handler runs on a thread of its own,
// so it only queues the close onto the window's thread; for the last three the process ends when
// the handler returns, so it waits until the window's shut-down has run (the system bounds that
// wait).
#include "console/TerminationSignals.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QSessionManager>
#include <QWidget>

#include <windows.h>

namespace console {

namespace {

QWidget* closingWindow = nullptr;
std::function<void()> closeWindow;
HANDLE shutDownDone = nullptr;

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (closingWindow != nullptr) {
        QMetaObject::invokeMethod(closingWindow, closeWindow, Qt::QueuedConnection);
    }
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        WaitForSingleObject(shutDownDone, INFINITE);
    }
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QWidget& window, std::function<void()> closeUnattended)
    : QObject(&window)
    , notifier(nullptr) {
    closingWindow = &window;
    closeWindow = closeUnattended;
    shutDownDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [closeUnattended](QSessionManager&) { closeUnattended(); });
}

TerminationSignals::~TerminationSignals() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    closingWindow = nullptr;
    SetEvent(shutDownDone);
}

} // namespace console
