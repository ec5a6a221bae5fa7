// The process entry: application object and title, the main window, the message loop.
#include "console/Main.h"
#include "console/ApplicationSetUp.h"
#include "console/TerminationSignals.h"
#include "link/Clock.h"
#include "link/SerialGate.h"
#include "link/SystemPorts.h"
#include "records/Version.h"
#include "records/WalkTestReport.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

// "--report FOLDER" writes the walk-test report and ends, without a window or a display.
int WriteReport(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: mirelund --report FOLDER\n", stderr);
        return 2;
    }
    const records::ReportOutcome outcome = records::WriteWalkTestReport(argv[2]);
    using Kind = records::ReportOutcome::Kind;
    std::fprintf(outcome.kind == Kind::Complete ? stdout : stderr, "%s\n",
                 outcome.sMessage.c_str());
    return outcome.kind == Kind::Complete ? 0 : outcome.kind == Kind::Incomplete ? 1 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--report") == 0) {
        return WriteReport(argc, argv);
    }
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
