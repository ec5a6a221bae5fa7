// The options `mirelund` takes, read before anything needs a display, and the text that
// explains them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class StartAction { Window, Report, SiteBook, Help, Version, Misuse };

struct StartOptions {
    StartAction action = StartAction::Window;
    bool bSimple = false;              // "--simple": the window starts at access level 0
    std::string sReportFolder;         // "--report FOLDER"
    std::string sSiteBookFolder = "."; // "--site-book [FOLDER]"
    std::string sMisuse;               // what is wrong with the command line, for Misuse
};

// The arguments after the program's name. Qt's own options (-platform, -style, ...) are not
// taken either: its environment variables (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE, ...) do that.
StartOptions ReadCommandLine(const std::vector<std::string_view>& arguments);

// How the tool is called: what a mistaken command line is answered with, and --help's start.
extern const char kUsage[];
// The rest of --help: what the tool does and what each option and exit code means.
extern const char kHelp[];

} // namespace app
