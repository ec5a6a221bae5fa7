// The system's ports on Windows: the print spooler's port list at level 1, which names
// every COM port beside the printer ports.
#include "link/SystemPorts.h"

#include <vector>
#include <windows.h>
#include <winspool.h>

namespace detlink {

std::vector<std::string> SystemPortNames() {
    DWORD needed = 0;
    DWORD count = 0;
    // The first call only learns the size; both calls' results are ignored and the count of
    // the second one is used.
    EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    count = 0;
    EnumPortsA(nullptr, 1, buffer.data(), needed, &needed, &count);
    std::vector<std::string> names;
    const auto* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count && !buffer.empty(); ++i) {
        if (ports[i].pName != nullptr) {
            names.emplace_back(ports[i].pName);
        }
    }
    return names;
}

} // namespace detlink
