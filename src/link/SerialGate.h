// The serial port the link talks through: open at a baud rate 8N1, reads that never wait,
// writes with a 1 ms time-out, every operation a no-op while closed.
#pragma once

#include "link/CyclePacing.h"
#include "link/SerialBackend.h"

#include <cstdint>
#include <memory>
#include <string>

namespace detlink {

inline constexpr int kLinkBaudRate = 57600;

class SerialGate {
public:
    // Uses the platform's backend.
    SerialGate();
    explicit SerialGate(std::unique_ptr<SerialBackend> backend);
    ~SerialGate();
    SerialGate(const SerialGate&) = delete;
    SerialGate& operator=(const SerialGate&) = delete;

    bool Open(int port, int baud);
    void Close();
    int Write(const std::uint8_t* bytes, int count);
    int Read(std::uint8_t* buffer, int count);
    // Why the last Open failed (see SerialBackend::OpenFailure).
    std::string OpenFailure() const;
    // How the event loop can learn of bytes on the port, and what to watch when it can.
    PortWatch Watch() const;
    int Descriptor() const { return backend->Descriptor(); }

    bool bOpen = false;

private:
    std::unique_ptr<SerialBackend> backend;
    bool bNoPort = false;
};

// The backend of the platform this is built for.
std::unique_ptr<SerialBackend> MakePlatformSerialBackend();

} // namespace detlink
