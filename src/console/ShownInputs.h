// What each status line was last formatted from. Every kind of status word arrives some 180
// times a second at the full line rate, nearly always as before: a line is formatted and set
// again only when what it is made from has changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace console {

class ShownInputs {
public:
    enum class Line { State, Position, Setup, Speed, SignalLevel, Identity, Supply, Count };

    // True, and remembered, when the values differ from those the line was last shown from.
    // A line passes the same number of values every time.
    template <typename... Values> bool Changed(Line line, Values... values) {
        static_assert(sizeof...(Values) <= kMaxValues);
        const Key key{static_cast<std::int64_t>(values)...};
        std::optional<Key>& shown = shown_[static_cast<std::size_t>(line)];
        if (shown == key)
            return false;
        shown = key;
        return true;
    }
    // The line was set by other hands (a reset, a page coming to the front): the next word
    // shows it afresh.
    void Forget(Line line) { shown_[static_cast<std::size_t>(line)].reset(); }
    void ForgetAll() { shown_.fill(std::nullopt); }

private:
    static constexpr std::size_t kMaxValues = 6;
    using Key = std::array<std::int64_t, kMaxValues>;
    std::array<std::optional<Key>, static_cast<std::size_t>(Line::Count)> shown_;
};

} // namespace console
