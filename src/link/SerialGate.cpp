// The serial port's guards around its platform backend.
#include "link/SerialGate.h"

namespace detlink {

SerialGate::SerialGate()
    : SerialGate(MakePlatformSerialBackend()) {}

SerialGate::SerialGate(std::unique_ptr<SerialBackend> backend)
    : backend(std::move(backend)) {}

SerialGate::~SerialGate() {
    Close();
}

bool SerialGate::Open(int port, int baud) {
    Close();
    // Port 0 is what the list gives when it is empty: there is nothing to open.
    bNoPort = port < 1;
    if (bNoPort || !backend->Open(port, baud)) {
        return false;
    }
    bOpen = true;
    return true;
}

void SerialGate::Close() {
    bOpen = false;
    backend->Close();
}

std::string SerialGate::OpenFailure() const {
    return bNoPort ? "No serial port found: plug in the detector's serial adapter."
                   : backend->OpenFailure();
}

PortWatch SerialGate::Watch() const {
    if (!backend->bWatchable()) {
        return PortWatch::Unsupported;
    }
    return bOpen && backend->Descriptor() >= 0 ? PortWatch::Open : PortWatch::Closed;
}

int SerialGate::Write(const std::uint8_t* bytes, int count) {
    if (!bOpen || bytes == nullptr || count < 1) {
        return 0;
    }
    const int n = backend->Write(bytes, count);
    return n < 0 ? 0 : n;
}

int SerialGate::Read(std::uint8_t* buffer, int count) {
    if (!bOpen || buffer == nullptr || count < 1) {
        return 0;
    }
    const int n = backend->Read(buffer, count);
    if (n < 0) {
        return 0;
    }
    return n > count ? count : n;
}

} // namespace detlink
