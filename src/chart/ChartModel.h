// The chart every page manipulates: series, two axes, and a revision the view polls.
#pragma once

#include <cstdint>
#include <deque>

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

    // Callers bump after a batch of changes; the view repaints when it sees a new value.
    void Touch() { ++revision_; }
    std::uint64_t Revision() const { return revision_; }

private:
    std::deque<Series> series_;
    std::uint64_t revision_ = 0;
};

} // namespace chart
