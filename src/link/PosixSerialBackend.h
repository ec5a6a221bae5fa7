// The serial port on POSIX: termios raw 8N1, exclusive, non-blocking.
#pragma once

#include "link/PortDirectory.h"
#include "link/SerialBackend.h"

namespace detlink {

class PosixSerialBackend final : public SerialBackend {
public:
    explicit PosixSerialBackend(PortDirectory directory = PortDirectory::FromEnvironment());
    ~PosixSerialBackend() override;

    bool Open(int port, int baud) override;
    void Close() override;
    int Write(const std::uint8_t* bytes, int count) override;
    int Read(std::uint8_t* buffer, int count) override;
    std::string OpenFailure() const override { return sOpenFailure; }
    bool bWatchable() const override { return true; }
    int Descriptor() const override { return fd; }

    // Opens a device path directly (the COM number already resolved).
    bool OpenDevice(const std::string& path, int baud);

private:
    PortDirectory directory;
    int fd = -1;
    std::string sOpenFailure;
};

} // namespace detlink
