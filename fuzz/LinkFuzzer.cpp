// Fuzzes the receive path: a serial line's bytes, cut into reads, through the whole link cycle.
//
// Input: byte 0 gives the plan's length (1..8), the plan bytes follow, the rest is the line.
// The plan repeats, one byte per cycle. A byte with bit 7 clear reads the next stretch of the
// line (bits 0..3 choose its length) after a clock step (bits 4..6); one with bit 7 set takes
// an operator's or a driver's action instead (bits 4..6 which, bits 0..3 its argument).
#include "link/LinkCycle.h"
#include "support/FakeClock.h"
#include "support/FakePictures.h"
#include "support/FakeSerial.h"
#include "support/QuietLinkObserver.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Zero reads a silent cycle; 100 fills a read, 160 leaves the rest of a chunk for the next.
constexpr std::array<int, 16> kChunkLengths{0,  1,  2,  3,  4,  5,  7,   8,
                                            11, 16, 25, 40, 64, 99, 100, 160};
// Steps just past the reopen, pause, lost and hung limits, and small ones between frames.
constexpr std::array<double, 8> kClockSteps{0, 0.001, 0.05, 0.5, 1.3, 2.6, 3.6, 12.5};

enum class Action { Command0, Command1, Command2, Command3, Recording, ReadFault, ViewFault, Lie };

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// A folder of this process's own for the log, removed when the fuzzer exits.
class LogFolder {
public:
    LogFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "mirelund-fuzz-XXXXXX";
        Require(::mkdtemp(pattern.data()) != nullptr);
        folder = pattern;
    }
    ~LogFolder() { std::filesystem::remove_all(folder); }
    LogFolder(const LogFolder&) = delete;
    LogFolder& operator=(const LogFolder&) = delete;

    std::string LogPath() const { return folder / detlink::kTrafficLogFileName; }

private:
    std::filesystem::path folder;
};

std::string LogPath() {
    static const LogFolder folder;
    return folder.LogPath();
}

void EnableLog(detlink::TrafficLog& log) {
    const int fd = ::creat(LogPath().c_str(), 0644);
    Require(fd >= 0);
    ::close(fd);
    Require(log.EnableIfPresent());
}

// Every write is a command as the slots build it: two bytes and their sum, or the two bytes
// twice for a detector without checksum support.
void RequireCommandBytes(std::span<const std::uint8_t> bytes) {
    Require(bytes.size() == 3 || bytes.size() == 4);
    Require((bytes[0] & 0x80) == 0 && (bytes[1] & 0x80) != 0);
    if (bytes.size() == 3) {
        Require(bytes[2] == 0x80 + (bytes[0] + bytes[1]) % 128);
    } else {
        Require(bytes[2] == bytes[0] && bytes[3] == bytes[1]);
    }
}

struct Bench {
    testing_support::FakeClock clock;
    detlink::TrafficLog log{clock, LogPath()};
    testing_support::FakePort port;
    detlink::SerialGate gate{std::make_unique<testing_support::FakeSerialBackend>(port)};
    testing_support::QuietLinkObserver observer;
    testing_support::FakePictures pictures;
    detlink::RecordingEvents events{pictures};
    detlink::LinkCycle link{
        clock, log, observer, gate, [] { return std::vector<std::string>{"COM1:"}; }, events};
};

void TakeAction(Bench& b, Action action, int arg) {
    switch (action) {
    case Action::Command0:
        b.link.QueueCommand0(arg, arg * 2, arg & 3, arg & 1);
        break;
    case Action::Command1:
        b.link.QueueCommand1(arg * 2, 31 - arg, arg & 3);
        break;
    case Action::Command2:
        b.link.QueueCommand2(arg & 3, arg >> 2, arg * 2, arg & 3);
        break;
    case Action::Command3:
        b.link.QueueCommand3(arg, arg * 8);
        break;
    case Action::Recording:
        b.pictures.recording = !b.pictures.recording;
        break;
    case Action::ReadFault:
        b.port.throwOnRead = true;
        break;
    case Action::ViewFault:
        b.observer.throwInView = true;
        break;
    case Action::Lie:
        // A driver reporting an error code, or more bytes than were asked for.
        b.port.lie = arg < 8 ? -1 : 1000;
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t planLength = std::min<std::size_t>((data[0] & 7) + 1, size - 1);
    const std::span<const std::uint8_t> plan(data + 1, planLength);
    const std::span<const std::uint8_t> line(data + 1 + planLength, size - 1 - planLength);

    Bench b;
    EnableLog(b.log);
    b.link.RefreshPortList();
    Require(b.link.bComPortOpen);

    // A view that threw mid-scan leaves the frames behind it for the next cycle.
    bool viewFaulted = false;
    std::size_t pos = 0;
    // Bounded for plans of silent cycles only; a few more cycles let the port drain.
    const std::size_t cycles = line.size() + 16;
    for (std::size_t cycle = 0; cycle < cycles && (pos < line.size() || !b.port.reads.empty());
         ++cycle) {
        const std::uint8_t step = plan[cycle % plan.size()];
        bool faultPending = false;
        if (step & 0x80) {
            const auto action = static_cast<Action>((step >> 4) & 7);
            faultPending = action == Action::ReadFault || action == Action::ViewFault;
            viewFaulted |= action == Action::ViewFault;
            TakeAction(b, action, step & 15);
        } else {
            b.clock.AdvanceSeconds(kClockSteps[(step >> 4) & 7]);
            const std::size_t n =
                std::min<std::size_t>(kChunkLengths[step & 15], line.size() - pos);
            if (n > 0) {
                b.port.reads.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(pos),
                                          line.begin() + static_cast<std::ptrdiff_t>(pos + n));
                pos += n;
            }
        }
        const int errorsBefore = b.observer.errors;
        const std::size_t picturesBefore = b.pictures.labels.size();
        b.link.TimerTimer();
        b.port.throwOnRead = false;
        b.port.lie.reset();
        b.observer.throwInView = false;

        const detlink::FrameScanner& scanner = b.link.Scanner;
        Require(scanner.iRecvCount >= 0 && scanner.iRecvCount <= detlink::kRecvBufSize);
        Require(scanner.iRecvPos == 0);
        Require(viewFaulted || scanner.iRecvCount <= detlink::kMaxCarryBytes);
        Require(b.link.eDeviceState <= detlink::EDevPause);
        Require(b.link.iKindSum >= 0);
        Require(faultPending || b.observer.errors == errorsBefore);
        Require(b.pictures.recording || b.pictures.labels.size() == picturesBefore);
    }
    for (const std::vector<std::uint8_t>& write : b.port.writes) {
        RequireCommandBytes(write);
    }
    return 0;
}
