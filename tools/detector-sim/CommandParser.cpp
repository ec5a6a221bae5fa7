// Command framing on the receiving side. Only the first byte of a command has bit 7 clear,
// so any such byte starts a new command and discards a half-received one. The 2-byte form has
// no check byte; the detector takes it only when both copies of the pair agree, which is the
// only protection that form offers against a corrupted byte.
#include "CommandParser.h"

namespace sim {

namespace {
constexpr std::uint8_t kStartBit = 0x80;

bool IsStart(std::uint8_t byte) {
    return (byte & kStartBit) == 0;
}
} // namespace

void CommandParser::SetThreeByteForm(bool threeByteForm) {
    if (threeByteForm != bThreeByteForm) {
        pending.clear();
    }
    bThreeByteForm = threeByteForm;
}

std::vector<Command> CommandParser::Feed(const std::uint8_t* data, std::size_t count) {
    std::vector<Command> done;
    for (std::size_t i = 0; i < count; ++i) {
        if (auto command = Push(data[i])) {
            done.push_back(*command);
        }
    }
    return done;
}

std::optional<Command> CommandParser::Push(std::uint8_t byte) {
    if (IsStart(byte)) {
        // In the 2-byte form the third byte is the repeated first byte, also a start byte.
        const bool repeatedFirst = !bThreeByteForm && pending.size() == 2 && byte == pending[0];
        if (!repeatedFirst) {
            pending.assign(1, byte);
            return std::nullopt;
        }
        pending.push_back(byte);
        return std::nullopt;
    }
    if (pending.empty()) {
        return std::nullopt; // stray byte outside a command
    }
    pending.push_back(byte);
    if (bThreeByteForm) {
        if (pending.size() < 3) {
            return std::nullopt;
        }
        const auto check = static_cast<std::uint8_t>(kStartBit + ((pending[0] + pending[1]) % 128));
        Command command{{pending[0], pending[1], pending[2]}, 3};
        pending.clear();
        if (command.bytes[2] != check) {
            return std::nullopt;
        }
        return command;
    }
    if (pending.size() == 2) {
        return std::nullopt;
    }
    if (pending.size() == 3) {
        pending.clear(); // a byte with bit 7 set where the repeated first byte belongs
        return std::nullopt;
    }
    Command command{{pending[0], pending[1], 0}, 2};
    const bool copiesAgree = pending[3] == pending[1];
    pending.clear();
    if (!copiesAgree) {
        return std::nullopt;
    }
    return command;
}

} // namespace sim
