// The command line's arguments after the program's name, as UTF-8: the folders given to
// --report and --site-book are a person's, named in any script.
#pragma once

#include <string>
#include <vector>

namespace app {

std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace app
