// On Windows main's argv is in the system's ANSI code page, where a folder named in Cyrillic
// on a Western system arrives as question marks: the arguments are read again from the wide
// command line.
#include "app/ProgramArguments.h"

#include "files/Utf8Path.h"

#include <windows.h>

// After windows.h, whose types it uses.
#include <shellapi.h>

namespace app {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(files::Utf8FromPath(std::filesystem::path(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace app
