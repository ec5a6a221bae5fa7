#include "console/PacedViews.h"

#include <algorithm>

namespace console {

bool PacedViews::PaintNow(View view, double now) {
    Pace& pace = Of(view);
    // A clock set back (a steady clock never is, a test's may be) paints at once too.
    if (!pace.paintedAt || now >= *pace.paintedAt + kInterval || now < *pace.paintedAt) {
        pace = {now, false};
        return true;
    }
    pace.held = true;
    return false;
}

void PacedViews::Release(View view) {
    Of(view) = {};
}

void PacedViews::ReleaseAll() {
    paces.fill({});
}

std::optional<double> PacedViews::DueAt() const {
    std::optional<double> due;
    for (const Pace& pace : paces)
        if (pace.held)
            due = std::min(due.value_or(*pace.paintedAt + kInterval), *pace.paintedAt + kInterval);
    return due;
}

bool PacedViews::TakeDue(View view, double now) {
    Pace& pace = Of(view);
    if (!pace.held || now < *pace.paintedAt + kInterval)
        return false;
    pace = {now, false};
    return true;
}

} // namespace console
