// Picks commands out of the bytes the detector receives, in the wire form its `cs` bit selects.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

struct Command {
    std::array<std::uint8_t, 3> bytes{}; // the check byte is 0 in the 2-byte form
    int length = 2;                      // 2 or 3: the bytes that carry it on the wire

    int Code() const { return (bytes[0] >> 5) & 3; }
};

class CommandParser {
public:
    // threeByteForm: the detector's `cs` is 1 and each command carries a check byte.
    void SetThreeByteForm(bool threeByteForm);

    // Feeds received bytes; returns the commands completed by them, in order.
    std::vector<Command> Feed(const std::uint8_t* data, std::size_t count);

private:
    std::optional<Command> Push(std::uint8_t byte);

    bool bThreeByteForm = false;
    std::vector<std::uint8_t> pending;
};

} // namespace sim
