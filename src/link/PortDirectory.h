// Which devices stand for COM numbers on POSIX: a directory of comN entries (the whole
// list when $MIRELUND_PORTS is set) plus discovered serial hardware.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace detlink {

class PortDirectory {
public:
    // directory: folder of comN entries; discoverHardware: also map /dev/ttyS, ttyUSB, ttyACM.
    PortDirectory(std::string directory, bool discoverHardware);
    // $MIRELUND_PORTS alone, else $XDG_CONFIG_HOME/mirelund/ports (~/.config/...) plus hardware.
    static PortDirectory FromEnvironment();

    // COM number → device path, rebuilt from the file system on every call.
    std::map<int, std::string> Map() const;
    // Spooler-style names ("COM3:") in ascending number order.
    std::vector<std::string> PortNames() const;
    // Device for COM n, empty when none.
    std::string DevicePath(int port) const;

private:
    std::string sDirectory;
    bool bDiscoverHardware;
};

} // namespace detlink
