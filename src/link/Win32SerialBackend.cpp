// The serial port on Windows, with the Win32 communications calls.
#include "link/SerialBackend.h"
#include "link/SerialGate.h"

#include <cstdio>
#include <string>
#include <system_error>
#include <windows.h>

namespace detlink {
namespace {

// The operator's view of a failed open: what stands in the way.
std::string FailureText(int port, DWORD error) {
    const std::string name = "COM" + std::to_string(port);
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return name + ": no such port any more.";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return name + ": in use by another program.";
    default:
        return name + ": " + std::system_category().message(static_cast<int>(error));
    }
}

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
            sOpenFailure = FailureText(port, GetLastError());
            return false;
        }
        sOpenFailure.clear();
        // Only speed and framing change; flow control and special characters keep the
        // driver's values, and failures here leave the port counted as open.
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

    std::string OpenFailure() const override { return sOpenFailure; }

private:
    HANDLE hFile = INVALID_HANDLE_VALUE;
    std::string sOpenFailure;
};

} // namespace

std::unique_ptr<SerialBackend> MakePlatformSerialBackend() {
    return std::make_unique<Win32SerialBackend>();
}

} // namespace detlink
