// termios port: exclusive by TIOCEXCL and flock, raw 8N1, VMIN=0 VTIME=0, 1 ms write wait.
#include "link/PosixSerialBackend.h"

#include "link/SerialGate.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace detlink {
namespace {

constexpr int kWriteWaitMs = 1;

speed_t SpeedOf(int baud) {
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 115200:
        return B115200;
    default:
        return B57600;
    }
}

// The operator's view of a failed open: what stands in the way and, where there is one, the fix.
std::string FailureText(const std::string& path, int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return path + ": no permission to open it. Add your user to the group that owns it "
                      "(on Debian: sudo adduser $USER dialout), then log in again.";
    case EBUSY:
    case EWOULDBLOCK:
        return path + ": in use by another program.";
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return path + ": the device is gone (unplugged or switched off).";
    default:
        return path + ": " + std::strerror(error) + ".";
    }
}

} // namespace

PosixSerialBackend::PosixSerialBackend(PortDirectory directory)
    : directory(std::move(directory)) {}

PosixSerialBackend::~PosixSerialBackend() {
    Close();
}

bool PosixSerialBackend::Open(int port, int baud) {
    Close();
    const std::string path = directory.DevicePath(port);
    if (path.empty()) {
        sOpenFailure = "COM" + std::to_string(port) + ": no such port any more.";
        return false;
    }
    return OpenDevice(path, baud);
}

bool PosixSerialBackend::OpenDevice(const std::string& path, int baud) {
    Close();
    const int handle = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        sOpenFailure = FailureText(path, errno);
        return false;
    }
    // flock refuses a second copy even as root, where TIOCEXCL is not enforced.
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0 || ::ioctl(handle, TIOCEXCL) != 0) {
        sOpenFailure = FailureText(path, errno);
        ::close(handle);
        return false;
    }
    sOpenFailure.clear();
    termios tio{};
    if (::tcgetattr(handle, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::cfsetispeed(&tio, SpeedOf(baud));
        ::cfsetospeed(&tio, SpeedOf(baud));
        ::tcsetattr(handle, TCSANOW, &tio);
    }
    fd = handle;
    return true;
}

void PosixSerialBackend::Close() {
    if (fd < 0) {
        return;
    }
    // TIOCEXCL outlives this descriptor on a pty unless cleared, which would lock us out
    // of our own port at the next reopen.
    ::ioctl(fd, TIOCNXCL);
    ::flock(fd, LOCK_UN);
    ::close(fd);
    fd = -1;
}

int PosixSerialBackend::Write(const std::uint8_t* bytes, int count) {
    if (fd < 0) {
        return 0;
    }
    ssize_t n = ::write(fd, bytes, static_cast<std::size_t>(count));
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, kWriteWaitMs) > 0 && (p.revents & POLLOUT) != 0) {
            n = ::write(fd, bytes, static_cast<std::size_t>(count));
        }
    }
    return n < 0 ? 0 : static_cast<int>(n);
}

int PosixSerialBackend::Read(std::uint8_t* buffer, int count) {
    if (fd < 0) {
        return 0;
    }
    // A hung-up or unplugged port reads as no bytes; supervision notices the silence.
    const ssize_t n = ::read(fd, buffer, static_cast<std::size_t>(count));
    return n < 0 ? 0 : static_cast<int>(n);
}

std::unique_ptr<SerialBackend> MakePlatformSerialBackend() {
    return std::make_unique<PosixSerialBackend>();
}

} // namespace detlink
