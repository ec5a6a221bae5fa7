// The process entry: the command line, the application object and title, the main window, the
// message loop.
#include "console/Main.h"
#include "app/CommandLine.h"
#include "app/DisplayAvailable.h"
#include "app/ProgramArguments.h"
#include "console/ApplicationSetUp.h"
#include "console/TerminationSignals.h"
#include "link/Clock.h"
#include "link/SerialGate.h"
#include "link/SystemPorts.h"
#include "records/SiteBookPage.h"
#include "records/Version.h"
#include "records/WalkTestReport.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Exit codes: 1 when the tool cannot run here (no display, a failed start), 2 for a command
// line it cannot use; the pages have their own three (ExitWith).
constexpr int kExitCannotRun = 1;
constexpr int kExitMisuse = 2;

// "--report FOLDER" and "--site-book [FOLDER]" write their page and end, without a window or
// a display.
int ExitWith(const records::ReportOutcome& outcome) {
    using Kind = records::ReportOutcome::Kind;
    std::fprintf(outcome.kind == Kind::Complete ? stdout : stderr, "%s\n",
                 outcome.sMessage.c_str());
    return outcome.kind == Kind::Complete ? 0 : outcome.kind == Kind::Incomplete ? 1 : 2;
}

} // namespace

int main(int argc, char** argv) {
    // Everything but the window is answered before QApplication, which needs a display.
    const std::vector<std::string> arguments = app::ProgramArguments(argc, argv);
    const app::StartOptions options =
        app::ReadCommandLine(std::vector<std::string_view>(arguments.begin(), arguments.end()));
    switch (options.action) {
    case app::StartAction::Help:
        std::printf("%s\n%s", app::kUsage, app::kHelp);
        return 0;
    case app::StartAction::Version:
        std::printf("%s\n", records::BaseCaption().c_str());
        return 0;
    case app::StartAction::Misuse:
        std::fprintf(stderr, "mirelund: %s.\n%s\"mirelund --help\" tells more.\n",
                     options.sMisuse.c_str(), app::kUsage);
        return kExitMisuse;
    case app::StartAction::Report:
        return ExitWith(records::WriteWalkTestReport(options.sReportFolder));
    case app::StartAction::SiteBook:
        return ExitWith(records::WriteSiteBookPage(options.sSiteBookFolder));
    case app::StartAction::Window:
        break;
    }
    if (!app::DisplayAvailable()) {
        std::fputs("mirelund: there is no display to open the window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set); start it in a desktop session.\n",
                   stderr);
        return kExitCannotRun;
    }
    QApplication application(argc, argv);
    console::SetUpApplication();
    try {
        const detlink::SystemClock clock;
        // "--simple" starts at access level 0: the Setup page's simple tuning takes the place
        // of the Settings page.
        const int accessLevel = options.bSimple ? 0 : 1;
        console::TfmMain window(clock, detlink::MakePlatformSerialBackend(),
                                detlink::SystemPortNames, accessLevel);
        // A logout, Ctrl+C or a closed terminal closes the window like the operator would,
        // save that nobody is asked about what cannot be written.
        new console::TerminationSignals(window, [&window] { window.CloseUnattended(); });
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QString::fromLatin1(records::kApplicationTitle),
                              QString::fromLocal8Bit(error.what()));
    }
    return kExitCannotRun;
}
