// Telemetry words and their 4-byte frames, as the detector puts them on the line.
#pragma once

#include <array>
#include <cstdint>

namespace sim {

using Frame = std::array<std::uint8_t, 4>;

// Sync 0x00, high byte, low byte, (high + low) mod 256.
Frame EncodeFrame(std::uint16_t word);

// Kind in bits 15..13, payload in bits 12..0.
std::uint16_t MakeWord(int kind, int payload);

} // namespace sim
