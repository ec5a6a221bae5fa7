// The serial port on Windows, with the Win32 communications calls.
#include "link/SerialBackend.h"
#include "link/SerialGate.h"

#include <cstdio>
#include <windows.h>

namespace detlink {
namespace {

class Win32SerialBackend final : public SerialBackend {
public:
    ~Win32SerialBackend() override { Close(); }

    bool Open(int port, int baud) override {
        Close();
        // The \\.\ prefix lets ports above 9 open.
        char path[32];
        std::snprintf(path, sizeof path, "\\\\.\\COM%d", port);
        hFile = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE) {
            return false;
        }
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        GetCommState(hFile, &dcb);
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 0;
        timeouts.WriteTotalTimeoutConstant = 1;
        SetCommTimeouts(hFile, &timeouts);
        dcb.BaudRate = static_cast<DWORD>(baud);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        SetCommState(hFile, &dcb);
        return true;
    }

    void Close() override {
        if (hFile != INVALID_HANDLE_VALUE) {
            CloseHandle(hFile);
        }
        hFile = INVALID_HANDLE_VALUE;
    }

    int Write(const std::uint8_t* bytes, int count) override {
        DWORD written = 0;
        if (!WriteFile(hFile, bytes, static_cast<DWORD>(count), &written, nullptr)) {
            return 0;
        }
        return static_cast<int>(written);
    }

    int Read(std::uint8_t* buffer, int count) override {
        DWORD read = 0;
        if (!ReadFile(hFile, buffer, static_cast<DWORD>(count), &read, nullptr)) {
            return 0;
        }
        return static_cast<int>(read);
    }

private:
    HANDLE hFile = INVALID_HANDLE_VALUE;
};

} // namespace

std::unique_ptr<SerialBackend> MakePlatformSerialBackend() {
    return std::make_unique<Win32SerialBackend>();
}

} // namespace detlink
