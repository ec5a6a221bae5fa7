// Building the COM number to device map from the port directory and /dev.
#include "link/PortDirectory.h"

#include <charconv>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>

namespace detlink {
namespace {

constexpr int kMaxComNumber = 255;

// The number after a prefix, or -1 when the name has another prefix or no plain digits.
int NumberAfter(const std::string& name, const std::string& prefix, bool ignoreCase) {
    if (name.size() <= prefix.size()) {
        return -1;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = name[i];
        if (ignoreCase && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return -1;
        }
    }
    int value = -1;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || *first == '+' || *first == '-') {
        return -1;
    }
    return value;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

bool IsCharacterDevice(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

// A ttyS node exists for every possible UART; sysfs type 0 means nothing is behind it.
bool HasRealUart(const std::string& ttyName) {
    std::ifstream type("/sys/class/tty/" + ttyName + "/type");
    int value = 0;
    return static_cast<bool>(type >> value) && value != 0;
}

} // namespace

PortDirectory::PortDirectory(std::string directory, bool discoverHardware)
    : sDirectory(std::move(directory))
    , bDiscoverHardware(discoverHardware) {}

PortDirectory PortDirectory::FromEnvironment() {
    if (const char* ports = std::getenv("MIRELUND_PORTS"); ports != nullptr && *ports != 0) {
        return PortDirectory(ports, false);
    }
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != 0) {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        config = std::string(home) + "/.config";
    }
    return PortDirectory(config.empty() ? std::string() : config + "/mirelund/ports", true);
}

std::map<int, std::string> PortDirectory::Map() const {
    std::map<int, std::string> map;
    if (bDiscoverHardware) {
        struct Family {
            const char* prefix;
            int offset;
        };
        for (const std::string& name : Entries("/dev")) {
            for (const Family family :
                 {Family{"ttyS", 1}, Family{"ttyUSB", 33}, Family{"ttyACM", 65}}) {
                const int n = NumberAfter(name, family.prefix, false);
                const int com = n + family.offset;
                if (n < 0 || com > kMaxComNumber) {
                    continue;
                }
                const std::string path = "/dev/" + name;
                if (family.offset == 1 && !HasRealUart(name)) {
                    continue;
                }
                if (IsCharacterDevice(path)) {
                    map[com] = path;
                }
            }
        }
    }
    if (!sDirectory.empty()) {
        // Directory entries win over discovered ports of the same number.
        for (const std::string& name : Entries(sDirectory)) {
            const int n = NumberAfter(name, "com", true);
            const std::string path = sDirectory + "/" + name;
            if (n >= 1 && n <= kMaxComNumber && IsCharacterDevice(path)) {
                map[n] = path;
            }
        }
    }
    return map;
}

std::vector<std::string> PortDirectory::PortNames() const {
    std::vector<std::string> names;
    for (const auto& [number, path] : Map()) {
        names.push_back("COM" + std::to_string(number) + ":");
    }
    return names;
}

std::string PortDirectory::DevicePath(int port) const {
    const auto map = Map();
    const auto it = map.find(port);
    return it == map.end() ? std::string() : it->second;
}

} // namespace detlink
