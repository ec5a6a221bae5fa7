// The system's ports on POSIX: the port directory named by the environment.
#include "link/SystemPorts.h"

#include "link/PortDirectory.h"

namespace detlink {

std::vector<std::string> SystemPortNames() {
    return PortDirectory::FromEnvironment().PortNames();
}

} // namespace detlink
