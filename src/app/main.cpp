// The process entry: application object and title, the main window, the message loop.
#include "console/Main.h"
#include "console/ApplicationSetUp.h"
#include "console/TerminationSignals.h"
#include "link/Clock.h"
#include "link/SerialGate.h"
#include "link/SystemPorts.h"
#include "records/Version.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    console::SetUpApplication();
    try {
        const detlink::SystemClock clock;
        // "--simple" starts at access level 0: the Setup page's simple tuning takes the place
        // of the Settings page.
        const int accessLevel =
            QApplication::arguments().contains(QStringLiteral("--simple")) ? 0 : 1;
        console::TfmMain window(clock, detlink::MakePlatformSerialBackend(),
                                detlink::SystemPortNames, accessLevel);
        // A logout, Ctrl+C or a closed terminal closes the window like the operator would.
        new console::TerminationSignals(window);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QString::fromLatin1(records::kApplicationTitle),
                              QString::fromLocal8Bit(error.what()));
    }
    return 1;
}
