// The four outbound command slots: fill operations, wire bytes, log texts and the
// confirmation tests against the status record.
#pragma once

#include "link/DetectorStatus.h"

#include <array>
#include <cstdint>
#include <string>

namespace detlink {

inline constexpr int kSendRepeatStart = 3;

struct PendingCommand {
    bool bSend = false;
    bool bAwait = false;
    std::array<std::uint8_t, 3> Bytes{};
};

class CommandSlots {
public:
    void QueueCommand0(int adr, int senspp, int state, int ctrl_pp_mp);
    void QueueCommand1(int sensmp, int sensbp, int letter);
    void QueueCommand2(int vel_min, int vel_max, int dist, int reg);
    void QueueCommand3(int symbol, int number);

    // Confirmation test k (0..3); each acts only while slot k awaits confirmation.
    void Confirm(int k, const DetectorStatus& status);
    // Full cycle while connected: every unconfirmed command goes out again.
    void RearmAwaiting();
    bool AnyToSend() const;
    void RecomputeMoreToSend() { bMoreToSend = AnyToSend(); }
    // Log text of slot k, decoded from its bytes.
    std::string SlotLogText(int k) const;

    std::array<PendingCommand, 4> Cmd{};
    bool bMoreToSend = false;
    int iSendRepeat = kSendRepeatStart;

private:
    void Fill(int k, int byte0Payload, int byte1);
};

} // namespace detlink
