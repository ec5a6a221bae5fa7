// One chart series: its kind, look and points; pure data, nothing draws here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>

namespace chart {

// Bar: a column from the bottom of the chart (the left axis' minimum, not zero) up to y.
// HorizBar: a band from the left edge of the chart out to x, centred on y.
enum class SeriesKind { Bar, HorizBar, Point, Line };

struct ChartPoint {
    double x = 0;
    double y = 0;
    std::uint32_t colour = 0; // 0xRRGGBB
    std::string label;
};

class Series {
public:
    explicit Series(SeriesKind kind, std::uint32_t colour = 0)
        : kind_(kind)
        , colour_(colour) {}

    SeriesKind Kind() const { return kind_; }
    std::uint32_t Colour() const { return colour_; }
    void SetColour(std::uint32_t colour) { colour_ = colour; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width) { penWidth_ = width; }
    int BarWidth() const { return barWidth_; }
    void SetBarWidth(int width) { barWidth_ = width; }
    int HorizSize() const { return horizSize_; }
    int VertSize() const { return vertSize_; }
    void SetMarkerSize(int halfWidth, int halfHeight) {
        horizSize_ = halfWidth;
        vertSize_ = halfHeight;
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    std::size_t Count() const { return points_.size(); }
    const ChartPoint& Point(std::size_t index) const { return points_.at(index); }
    const std::deque<ChartPoint>& Points() const { return points_; }

    // Appends a point with its own colour and label.
    void Add(double x, double y, std::uint32_t colour, std::string label = {}) {
        points_.push_back({x, y, colour, std::move(label)});
    }
    // Removes up to count points from the front.
    void DeleteFront(std::size_t count) {
        points_.erase(points_.begin(), points_.begin() + std::min(count, points_.size()));
    }
    void SetPosition(std::size_t index, double x, double y) {
        points_.at(index).x = x;
        points_.at(index).y = y;
    }
    void Clear() { points_.clear(); }

private:
    SeriesKind kind_;
    std::uint32_t colour_;
    int penWidth_ = 1;
    int barWidth_ = 1;
    int horizSize_ = 1;
    int vertSize_ = 1;
    bool visible_ = true;
    std::deque<ChartPoint> points_;
};

} // namespace chart
