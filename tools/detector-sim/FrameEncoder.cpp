// Telemetry word framing.
#include "FrameEncoder.h"

namespace sim {

Frame EncodeFrame(std::uint16_t word) {
    const auto high = static_cast<std::uint8_t>(word >> 8);
    const auto low = static_cast<std::uint8_t>(word & 0xFF);
    return {0x00, high, low, static_cast<std::uint8_t>((high + low) & 0xFF)};
}

std::uint16_t MakeWord(int kind, int payload) {
    return static_cast<std::uint16_t>(((kind & 7) << 13) | (payload & 0x1FFF));
}

} // namespace sim
