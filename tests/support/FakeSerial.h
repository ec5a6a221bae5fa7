// The serial line as every test and benchmark sees it: one fake backend over a FakePort,
// and the one encoder of telemetry frames.
//
// FakePort controls:
//   ports       COM numbers that open; any other Open fails with `failure` as its reason
//   reads       byte chunks the detector has sent; each Read takes from the front, at most
//               the count asked for, and leaves the rest of a chunk for the next Read
//   chatter     handed out by every Read that finds `reads` empty: a detector that never
//               stops talking (empty: silence)
//   throwOnRead every Read throws std::runtime_error("port fault")
//   lie         when set, every Read and Write reports this count and moves no byte, as a
//               driver that answers nonsense (an error code, more than was asked for)
// and records:
//   writes      every Write's bytes, in order
//   open, openCount, lastOpened   the port's state and the Open calls
// Reads return nothing while the port is closed, as a real port does.
#pragma once

#include "link/DetectorStatus.h"
#include "link/SerialBackend.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

struct FakePort {
    std::set<int> ports{1};
    std::deque<std::vector<std::uint8_t>> reads;
    std::vector<std::uint8_t> chatter;
    bool throwOnRead = false;
    std::optional<int> lie;
    std::string failure = "/dev/ttyUSB0: in use by another program.";

    std::vector<std::vector<std::uint8_t>> writes;
    bool open = false;
    int openCount = 0;
    int lastOpened = -1;
};

class FakeSerialBackend final : public detlink::SerialBackend {
public:
    explicit FakeSerialBackend(FakePort& port)
        : port(port) {}

    bool Open(int n, int) override {
        ++port.openCount;
        port.lastOpened = n;
        port.open = port.ports.count(n) != 0;
        return port.open;
    }
    void Close() override { port.open = false; }
    std::string OpenFailure() const override { return port.open ? std::string() : port.failure; }
    int Write(const std::uint8_t* bytes, int count) override {
        if (port.lie) {
            return *port.lie;
        }
        port.writes.emplace_back(bytes, bytes + count);
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        if (port.lie) {
            return *port.lie;
        }
        if (!port.open) {
            return 0;
        }
        if (port.throwOnRead) {
            throw std::runtime_error("port fault");
        }
        if (port.reads.empty() && !port.chatter.empty()) {
            port.reads.push_back(port.chatter);
        }
        if (port.reads.empty()) {
            return 0;
        }
        std::vector<std::uint8_t> chunk = std::move(port.reads.front());
        port.reads.pop_front();
        const int n = std::min<int>(count, static_cast<int>(chunk.size()));
        std::copy_n(chunk.begin(), n, buffer);
        if (n < static_cast<int>(chunk.size())) {
            port.reads.emplace_front(chunk.begin() + n, chunk.end());
        }
        return n;
    }

private:
    FakePort& port;
};

// A telemetry word of the kind with the payload's low 13 bits.
inline detlink::TelemetryWord Word(int kind, int payload) {
    return static_cast<detlink::TelemetryWord>((kind << 13) | (payload & 0x1FFF));
}

// Frame bytes on the wire for a word: sync, high byte, low byte, sum.
inline std::vector<std::uint8_t> WireFrame(detlink::TelemetryWord word) {
    const auto high = static_cast<std::uint8_t>(word >> 8);
    const auto low = static_cast<std::uint8_t>(word & 0xFF);
    return {0x00, high, low, static_cast<std::uint8_t>(high + low)};
}

// The words' frames one after another, as one stretch of the line.
inline std::vector<std::uint8_t> WireFrames(const std::vector<detlink::TelemetryWord>& words) {
    std::vector<std::uint8_t> bytes;
    for (detlink::TelemetryWord word : words) {
        const std::vector<std::uint8_t> frame = WireFrame(word);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

} // namespace testing_support
