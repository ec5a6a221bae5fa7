// On POSIX the arguments are the bytes the shell passed, UTF-8 on any current desktop.
#include "app/ProgramArguments.h"

namespace app {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace app
