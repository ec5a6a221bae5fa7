// What each status line was last formatted from. Every kind of status word arrives some 180
// times a second at the full line rate, nearly always as before: a line is formatted and set
// again only when what it is made from has changed.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace console {

class ShownInputs {
public:
    enum class Line { State, Position, Setup, Speed, SignalLevel, Identity, Supply, Count };

    // True, and remembered, when the values differ from those the line was last shown from.
    // A line passes the same number of values every time, and every input of its text: the
    // word's fields and whatever else the text is made from (a coefficient, a table's value, a
    // system colour). The decimal separator is fixed for the window's life.
    template <typename... Values> bool Changed(Line line, Values... values) {
        static_assert(sizeof...(Values) <= kMaxValues);
        const Key key{KeyOf(values)...};
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
    // A real value is kept whole: a coefficient changed in its fraction changes the line.
    template <typename Value> static std::int64_t KeyOf(Value value) {
        if constexpr (std::is_floating_point_v<Value>)
            return std::bit_cast<std::int64_t>(static_cast<double>(value));
        else
            return static_cast<std::int64_t>(value);
    }

    static constexpr std::size_t kMaxValues = 6;
    using Key = std::array<std::int64_t, kMaxValues>;
    std::array<std::optional<Key>, static_cast<std::size_t>(Line::Count)> shown_;
};

} // namespace console
