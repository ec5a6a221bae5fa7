// The four outbound command slots: the command fields and their bit layout, fill operations,
// wire bytes, log texts and the confirmation tests against the status record.
#pragma once

#include "link/DetectorStatus.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace detlink {

inline constexpr int kSendRepeatStart = 3;

// The fields each command carries, named as the traffic log names them without the "o_".
struct Command0Fields {
    int adr = 0;
    int senspp = 0;
    int state = 0;
    int ctrl_pp_mp = 0;
    bool operator==(const Command0Fields&) const = default;
};
struct Command1Fields {
    int sensmp = 0;
    int sensbp = 0;
    int letter = 0;
    bool operator==(const Command1Fields&) const = default;
};
struct Command2Fields {
    int vel_min = 0;
    int vel_max = 0;
    int dist = 0;
    int reg = 0;
    bool operator==(const Command2Fields&) const = default;
};
struct Command3Fields {
    int symbol = 0;
    int number = 0;
    bool operator==(const Command3Fields&) const = default;
};

// Decoders of a command's first two bytes, as they sit in a slot or went out on the wire.
int CommandCode(std::span<const std::uint8_t> bytes);
Command0Fields DecodeCommand0(std::span<const std::uint8_t> bytes);
Command1Fields DecodeCommand1(std::span<const std::uint8_t> bytes);
Command2Fields DecodeCommand2(std::span<const std::uint8_t> bytes);
Command3Fields DecodeCommand3(std::span<const std::uint8_t> bytes);

// Whether the detector's words hold the settings a command asks for (command 0's calibration
// state aside): what a confirmation, and the site book, go by.
bool HoldsSettings(const DetectorStatus& s, const Command0Fields& c);
bool HoldsSettings(const DetectorStatus& s, const Command1Fields& c);
bool HoldsSettings(const DetectorStatus& s, const Command2Fields& c);
bool HoldsSettings(const DetectorStatus& s, const Command3Fields& c);
// The status as it would read once the detector took the command's settings.
void TakeSettings(DetectorStatus& s, const Command0Fields& c);
void TakeSettings(DetectorStatus& s, const Command1Fields& c);
void TakeSettings(DetectorStatus& s, const Command2Fields& c);
void TakeSettings(DetectorStatus& s, const Command3Fields& c);

// Commands to arm together, at most one per slot, in the order they are armed.
struct CommandBatch {
    std::optional<Command2Fields> command2{};
    std::optional<Command0Fields> command0{};
    std::optional<Command1Fields> command1{};
    std::optional<Command3Fields> command3{};
    bool operator==(const CommandBatch&) const = default;
    bool Empty() const { return !command0 && !command1 && !command2 && !command3; }
};

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
    // Fills the slot of every command the batch holds, slot 2 first, then 0, 1 and 3.
    void Arm(const CommandBatch& batch);

    // The fields of the command in slot k, whether or not it still awaits confirmation.
    Command0Fields Slot0() const { return DecodeCommand0(Cmd[0].Bytes); }
    Command1Fields Slot1() const { return DecodeCommand1(Cmd[1].Bytes); }
    Command2Fields Slot2() const { return DecodeCommand2(Cmd[2].Bytes); }
    Command3Fields Slot3() const { return DecodeCommand3(Cmd[3].Bytes); }

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
