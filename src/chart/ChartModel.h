// The chart every page manipulates: series, two axes, and a revision views are told about.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "chart/Axis.h"
#include "chart/Series.h"

namespace chart {

class ChartModel {
public:
    Series& AddSeries(SeriesKind kind, std::uint32_t colour = 0) {
        return series_.emplace_back(kind, colour);
    }
    // Series live in a deque so references handed out stay valid as more are added.
    Series& At(std::size_t index) { return series_.at(index); }
    const Series& At(std::size_t index) const { return series_.at(index); }
    std::size_t SeriesCount() const { return series_.size(); }

    Axis leftAxis;
    Axis bottomAxis;

    // Callers bump after a batch of changes; every listener is told at once.
    void Touch();
    std::uint64_t Revision() const { return revision_; }

    using TouchListener = std::function<void()>;
    // The listener hears every Touch() for as long as the returned handle lives. Dropping the
    // handle is the whole unsubscription, so a view and its model may be destroyed in either
    // order (a window's widgets outlive the models it holds as members).
    [[nodiscard]] std::shared_ptr<const TouchListener> OnTouch(TouchListener listener) const;

private:
    std::deque<Series> series_;
    std::uint64_t revision_ = 0;
    // Listening does not change the chart, so views holding a const model may subscribe.
    mutable std::vector<std::weak_ptr<const TouchListener>> listeners_;
};

} // namespace chart
