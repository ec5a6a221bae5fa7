// The receive buffer and the scan that cuts it into 4-byte telemetry frames.
#pragma once

#include "link/DetectorStatus.h"
#include "link/SerialGate.h"

#include <array>
#include <cstdint>
#include <string>

namespace detlink {

inline constexpr int kMaxReadBytes = 100;
inline constexpr int kMaxCarryBytes = 3;
inline constexpr int kRecvBufSize = kMaxCarryBytes + kMaxReadBytes;

// Receives each candidate's log line and each good frame's word.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    virtual bool bLogEnabled() const = 0;
    virtual void WriteLogLine(const std::string& text) = 0;
    virtual void OnGoodFrame(TelemetryWord word) = 0;
};

class FrameScanner {
public:
    // Reads at most 100 bytes behind the carried ones, then scans; true if any frame was good.
    bool ReadAndScan(SerialGate& gate, FrameSink& sink);
    // The scan alone, over the bytes already held.
    bool Scan(FrameSink& sink);

    std::array<std::uint8_t, kRecvBufSize> RecvBuf{};
    int iRecvCount = 0;
    int iRecvPos = 0;
    // What the last ReadAndScan took from the port.
    int iLastReadCount = 0;
    // Memory order: [0] sync, [1] low byte, [2] high byte, [3] checksum.
    std::array<std::uint8_t, 4> Frame{};

private:
    // Moves the bytes behind the scan position to the front of the buffer.
    void TrimScanned();
};

// The "Inp:" line for a candidate: raw wire bytes and the swapped frame.
std::string ComposeInpLine(const std::uint8_t* raw, const std::array<std::uint8_t, 4>& frame);

} // namespace detlink
