// The platform side of the serial port, behind which tests put a fake port.
#pragma once

#include <cstdint>
#include <string>

namespace detlink {

class SerialBackend {
public:
    virtual ~SerialBackend() = default;
    // Opens COM port; false when it does not exist or another program holds it.
    virtual bool Open(int port, int baud) = 0;
    // Safe to call when closed.
    virtual void Close() = 0;
    // Bytes written, 0 on failure or time-out; never waits longer than about 1 ms.
    virtual int Write(const std::uint8_t* bytes, int count) = 0;
    // Bytes read, 0 when none are waiting or on any error; never waits.
    virtual int Read(std::uint8_t* buffer, int count) = 0;
    // Why the last Open failed, in the operator's words with the fix where there is one;
    // empty after a successful Open or when the platform gives no reason.
    virtual std::string OpenFailure() const { return {}; }
    // Whether the event loop can watch this platform's open port for bytes to read; when not,
    // the link is polled.
    virtual bool bWatchable() const { return false; }
    // The descriptor to watch while open, -1 while closed.
    virtual int Descriptor() const { return -1; }
};

} // namespace detlink
