// The detector status record: the last telemetry word of each of the eight kinds, with
// the fields named as the traffic log names them (Status.w2.state, Status.w6.cs, ...).
#pragma once

#include <bit>
#include <cstdint>

namespace detlink {

// One inbound word: bits 15..13 the kind, bits 12..0 the payload.
using TelemetryWord = std::uint16_t;

constexpr int KindOf(TelemetryWord word) {
    return (word >> 13) & 7;
}

// Bit-field views of each kind, lowest bit first; every bit is named (unused ones too)
// so a word stored and read back keeps exactly the bits that were received.
struct PositionWord { // kind 0
    std::uint16_t number : 7;
    std::uint16_t unused : 2;
    std::uint16_t symbol : 4;
    std::uint16_t kind : 3;
};
struct SignalWord { // kind 1
    std::uint16_t sig : 10;
    std::uint16_t pp : 1;
    std::uint16_t mp : 1;
    std::uint16_t bp : 1;
    std::uint16_t kind : 3;
};
struct StateWord { // kind 2
    std::uint16_t aver : 10;
    std::uint16_t state : 3;
    std::uint16_t kind : 3;
};
struct ThresholdWord { // kind 3
    std::uint16_t sensmp : 5;
    std::uint16_t ctrl_pp_mp : 1;
    std::uint16_t unused : 2;
    std::uint16_t senspp : 5;
    std::uint16_t kind : 3;
};
struct SetupWord { // kind 4
    std::uint16_t dist : 5;
    std::uint16_t reg : 2;
    std::uint16_t unused : 1;
    std::uint16_t sensbp : 5;
    std::uint16_t kind : 3;
};
struct SpeedWord { // kind 5
    std::uint16_t vel_min : 2;
    std::uint16_t vel_max : 2;
    std::uint16_t unused : 4;
    std::uint16_t amplif : 2;
    std::uint16_t ref : 1;
    std::uint16_t dis : 2;
    std::uint16_t kind : 3;
};
struct IdentityWord { // kind 6
    std::uint16_t dev : 3;
    std::uint16_t prog : 3;
    std::uint16_t letter : 2;
    std::uint16_t adr : 4;
    std::uint16_t cs : 1;
    std::uint16_t kind : 3;
};
struct SupplyWord { // kind 7
    std::uint16_t pwr : 10;
    std::uint16_t out : 2;
    std::uint16_t freq : 1;
    std::uint16_t kind : 3;
};

template <typename View> constexpr View AsView(TelemetryWord word) {
    static_assert(sizeof(View) == sizeof(TelemetryWord));
    return std::bit_cast<View>(word);
}
template <typename View> constexpr TelemetryWord AsWord(View view) {
    return std::bit_cast<TelemetryWord>(view);
}

struct DetectorStatus {
    PositionWord w0{};
    SignalWord w1{};
    StateWord w2{};
    ThresholdWord w3{};
    SetupWord w4{};
    SpeedWord w5{};
    IdentityWord w6{};
    SupplyWord w7{};

    // Stores the word in the slot of its kind, exactly as received.
    void Store(TelemetryWord word);
    // The stored word of kind k (0..7).
    TelemetryWord Word(int kind) const;
};

} // namespace detlink
