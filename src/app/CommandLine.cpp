// Reading the command line: an option the tool does not know ends it before it starts.
#include "app/CommandLine.h"

#include <utility>

namespace app {

const char kUsage[] = "Usage: mirelund [--simple]\n"
                      "       mirelund --report FOLDER\n"
                      "       mirelund --site-book [FOLDER]\n"
                      "       mirelund --help | --version\n";

const char kHelp[] =
    "Sets up, aligns and walk-tests a microwave detector over a serial line, in a window. The\n"
    "settings file, traffic log and walk-test recordings are kept in the current folder.\n"
    "\n"
    "  --simple         start at the simple access level: the Setup page takes the place of\n"
    "                   the Settings page\n"
    "  --report FOLDER  write the walk-test report of a recording folder beside it, as\n"
    "                   FOLDER.html, without a window or a display; exit code 0 when it is\n"
    "                   complete, 1 when files of the recording are missing, 2 when no report\n"
    "                   was written\n"
    "  --site-book [FOLDER]\n"
    "                   write \"Site book.html\" from the \"Site book.csv\" of FOLDER (default:\n"
    "                   the current folder) beside it, without a window or a display; exit\n"
    "                   codes as for --report\n"
    "  --help           print this text\n"
    "  --version        print the program's title and version\n"
    "\n"
    "The window needs a display: without one, mirelund says so and ends with exit code 1.\n"
    "A command line it cannot use ends it with exit code 2.\n";

namespace {

StartOptions Misuse(std::string what) {
    StartOptions options;
    options.action = StartAction::Misuse;
    options.sMisuse = std::move(what);
    return options;
}

} // namespace

StartOptions ReadCommandLine(const std::vector<std::string_view>& arguments) {
    StartOptions options;
    std::size_t siteBookArguments = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help") {
            options.action = StartAction::Help;
            return options;
        }
        if (argument == "--version") {
            options.action = StartAction::Version;
            return options;
        }
        if (argument == "--simple") {
            options.bSimple = true;
        } else if (argument == "--report") {
            if (i + 1 == arguments.size()) {
                return Misuse("--report needs the folder of a recording");
            }
            options.action = StartAction::Report;
            options.sReportFolder = arguments[++i];
        } else if (argument == "--site-book") {
            options.action = StartAction::SiteBook;
            siteBookArguments = 1;
            if (i + 1 < arguments.size() && !arguments[i + 1].starts_with('-')) {
                options.sSiteBookFolder = arguments[++i];
                siteBookArguments = 2;
            }
        } else if (argument.starts_with('-')) {
            return Misuse("unknown option \"" + std::string(argument) + "\"");
        } else {
            return Misuse("unexpected argument \"" + std::string(argument) + "\"");
        }
    }
    if (options.action == StartAction::Report && arguments.size() != 2) {
        return Misuse("--report takes its folder and no other option");
    }
    if (options.action == StartAction::SiteBook && arguments.size() != siteBookArguments) {
        return Misuse("--site-book takes its folder and no other option");
    }
    return options;
}

} // namespace app
