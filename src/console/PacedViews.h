// The views that follow the signal's noise (the status panel's signal line, the Setup and
// Calibration pages' signal) would change with nearly every word at the full line rate, far
// more often than an eye can read them, and each change costs a repaint. Each is painted at
// most ten times a second, always with the newest value and never more than a tenth of a
// second late. What is not noise (a state's "---", a reset, a page coming to the front) is
// painted at once by releasing the view.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace console {

class PacedViews {
public:
    enum class View { StatusSignal, SetupSignal, CalibrationSignal, Count };
    // A tenth of a second, in the clock's days.
    static constexpr double kInterval = 0.1 / 86400.0;

    // The view has a new value at `now`: true when it is to be painted at once; otherwise the
    // value is held until DueAt().
    bool PaintNow(View view, double now);
    // The view was painted by other hands: nothing of it is held, and its next value is
    // painted at once.
    void Release(View view);
    void ReleaseAll();
    // The earliest time a held value is due.
    std::optional<double> DueAt() const;
    // True when the view holds a value due by `now`: it is painted now and held no more.
    bool TakeDue(View view, double now);

private:
    struct Pace {
        std::optional<double> paintedAt;
        bool held = false;
    };
    Pace& Of(View view) { return paces[static_cast<std::size_t>(view)]; }
    std::array<Pace, static_cast<std::size_t>(View::Count)> paces;
};

} // namespace console
