// The system's ports on Windows: the print spooler's port list at level 1, which names
// every COM port beside the printer ports. The spooler keeps them in the order they were
// added (COM1, COM2, COM37, COM3), so the COM ports are put in numeric order.
#include "link/SystemPorts.h"

#include <algorithm>
#include <cstdlib>
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
    // Other ports keep their place after the COM ports.
    const auto comNumber = [](const std::string& name) {
        const bool com = name.size() > 3 && (name[0] == 'C' || name[0] == 'c') &&
                         (name[1] == 'O' || name[1] == 'o') && (name[2] == 'M' || name[2] == 'm');
        return com ? std::strtol(name.c_str() + 3, nullptr, 10) : 0x7fffffffL;
    };
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return comNumber(a) < comNumber(b);
    });
    return names;
}

} // namespace detlink
