// Renders a chart offscreen and checks pixels of a marker, a clipped alarm bar and a line.
#include "console/chart/ChartWidget.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;

QRgb Rgb(std::uint32_t c) {
    return qRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

TEST(ChartWidget, MarkerBarAndLineAtTheirPixels) {
    chart::ChartModel model;
    model.leftAxis.SetMinMax(-100, 100);
    model.bottomAxis.SetMinMax(0, 100);
    model.leftAxis.gridVisible = false;
    model.bottomAxis.gridVisible = false;
    auto& marker = model.AddSeries(chart::SeriesKind::Point);
    marker.SetMarkerSize(3, 2);
    marker.Add(20, 50, kRed);
    auto& bar = model.AddSeries(chart::SeriesKind::Bar);
    bar.SetBarWidth(3);
    bar.Add(60, 350, kBlue);
    auto& line = model.AddSeries(chart::SeriesKind::Line, kGreen);
    line.Add(80, -50, 0);
    line.Add(95, -50, 0);

    console::ChartWidget widget(model);
    widget.resize(300, 240);
    const QImage img = widget.grab().toImage();
    const QRect plot = widget.PlotArea();

    const QPoint m = widget.ToPixel(20, 50).toPoint();
    // (2w + 1) x (2h + 1) = 7 x 5, filled, no outline.
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            EXPECT_EQ(img.pixel(m.x() + dx, m.y() + dy), Rgb(kRed));
    EXPECT_NE(img.pixel(m.x() + 4, m.y()), Rgb(kRed));
    EXPECT_NE(img.pixel(m.x(), m.y() + 3), Rgb(kRed));

    const int bx = widget.ToPixel(60, 0).toPoint().x();
    EXPECT_EQ(img.pixel(bx, plot.top() + 2), Rgb(kBlue));
    EXPECT_NE(img.pixel(bx, plot.top() - 2), Rgb(kBlue)); // clipped at the plot edge

    const QPoint l = widget.ToPixel(88, -50).toPoint();
    EXPECT_EQ(img.pixel(l.x(), l.y()), Rgb(kGreen));
    EXPECT_NE(img.pixel(l.x(), l.y() + 4), Rgb(kGreen));
}

// The alarm and malfunction marks rise from the bottom of the chart, so a bar to 350 covers
// the whole height of a -100 ... 100 plot, not just the part above zero.
TEST(ChartWidget, BarRisesFromTheBottomEdgeOfThePlot) {
    chart::ChartModel model;
    model.leftAxis.SetMinMax(-100, 100);
    model.bottomAxis.SetMinMax(0, 100);
    model.leftAxis.gridVisible = false;
    model.bottomAxis.gridVisible = false;
    auto& bar = model.AddSeries(chart::SeriesKind::Bar);
    bar.SetBarWidth(7);
    bar.Add(50, 350, kBlue);

    console::ChartWidget widget(model);
    widget.resize(300, 240);
    const QImage img = widget.grab().toImage();
    const QRect plot = widget.PlotArea();
    const int bx = widget.ToPixel(50, 0).toPoint().x();
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        ASSERT_EQ(img.pixel(bx, y), Rgb(kBlue))
            << "row " << y << " of " << plot.top() << " ... " << plot.bottom();
    EXPECT_NE(img.pixel(bx, plot.bottom() + 1), Rgb(kBlue));
}

// The signal line is two pixels thick whichever way it runs: across a flat segment two rows,
// across a steep one two columns, with the segment's own position among them.
TEST(ChartWidget, LineIsTwoPixelsThickFlatAndSteep) {
    chart::ChartModel model;
    model.leftAxis.SetMinMax(0, 100);
    model.bottomAxis.SetMinMax(0, 100);
    model.leftAxis.gridVisible = false;
    model.bottomAxis.gridVisible = false;
    auto& line = model.AddSeries(chart::SeriesKind::Line, kGreen);
    line.Add(10, 20, 0);
    line.Add(40, 20, 0);
    line.Add(40, 90, 0);

    console::ChartWidget widget(model);
    widget.resize(300, 240);
    const QImage img = widget.grab().toImage();
    const auto green = [&](int x, int y) { return img.pixel(x, y) == Rgb(kGreen); };

    const QPoint flat = widget.ToPixel(25, 20).toPoint();
    int rows = 0;
    for (int y = flat.y() - 4; y <= flat.y() + 4; ++y)
        rows += green(flat.x(), y);
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(green(flat.x(), flat.y()) || green(flat.x(), flat.y() - 1));

    const QPoint steep = widget.ToPixel(40, 55).toPoint();
    int columns = 0;
    for (int x = steep.x() - 4; x <= steep.x() + 4; ++x)
        columns += green(x, steep.y());
    EXPECT_EQ(columns, 2);
    EXPECT_TRUE(green(steep.x(), steep.y()) || green(steep.x() - 1, steep.y()));
}

} // namespace
