// Pseudo-terminal creation, port-directory entry and serial-device setup.
#include "PtyEndpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {
constexpr int kFirstSimPort = 200;
constexpr int kLastPort = 255;

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

void MakeRaw(int fd, bool setSpeed) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return;
    }
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    if (setSpeed) {
        cfsetispeed(&tio, B57600);
        cfsetospeed(&tio, B57600);
    }
    tcsetattr(fd, TCSANOW, &tio);
}

// An entry named comN in any letter case takes the number N.
bool NumberTaken(const std::filesystem::path& dir, int number) {
    const std::string wanted = "com" + std::to_string(number);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == wanted.size() &&
            strncasecmp(name.c_str(), wanted.c_str(), wanted.size()) == 0) {
            return true;
        }
    }
    return false;
}
} // namespace

std::string DefaultPortsDir() {
    if (const char* ports = std::getenv("MIRELUND_PORTS"); ports && *ports) {
        return ports;
    }
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        return std::string(config) + "/mirelund/ports";
    }
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.config/mirelund/ports";
}

PtyEndpoint::~PtyEndpoint() {
    RemoveEntry();
    if (slaveFd >= 0) {
        close(slaveFd);
    }
    if (fd >= 0) {
        close(fd);
    }
}

bool PtyEndpoint::OpenPty(const std::string& portsDir, int comNumber, std::string& error) {
    fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    devicePath = ptsname(fd);
    // Holding our own slave keeps the pty from hanging up whenever the tool closes it.
    slaveFd = open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slaveFd < 0) {
        error = SystemError("cannot open " + devicePath);
        return false;
    }
    MakeRaw(slaveFd, false);

    std::error_code ec;
    std::filesystem::create_directories(portsDir, ec);
    const int first = comNumber > 0 ? comNumber : kFirstSimPort;
    const int last = comNumber > 0 ? comNumber : kLastPort;
    for (int n = first; n <= last; ++n) {
        if (NumberTaken(portsDir, n)) {
            continue;
        }
        const std::string path = portsDir + "/com" + std::to_string(n);
        if (symlink(devicePath.c_str(), path.c_str()) == 0) {
            iComNumber = n;
            entryPath = path;
            return true;
        }
        if (errno != EEXIST) {
            error = SystemError("cannot create " + path);
            return false;
        }
    }
    error = comNumber > 0 ? "com" + std::to_string(comNumber) + " is taken in " + portsDir
                          : "no free port number in " + portsDir;
    return false;
}

bool PtyEndpoint::OpenDevice(const std::string& path, std::string& error) {
    fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = SystemError("cannot open " + path);
        return false;
    }
    devicePath = path;
    MakeRaw(fd, true);
    return true;
}

void PtyEndpoint::AllowReopen() const {
    if (slaveFd >= 0) {
        ioctl(slaveFd, TIOCNXCL);
    }
}

int PtyEndpoint::Unread() const {
    int count = 0;
    if (slaveFd >= 0 && ioctl(slaveFd, FIONREAD, &count) != 0) {
        count = 0;
    }
    return count;
}

void PtyEndpoint::DiscardUnread() const {
    if (slaveFd >= 0) {
        tcflush(slaveFd, TCIFLUSH);
    }
}

void PtyEndpoint::RemoveEntry() {
    if (!entryPath.empty()) {
        unlink(entryPath.c_str());
        entryPath.clear();
    }
}

} // namespace sim
