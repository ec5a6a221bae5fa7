// Draws a chart::ChartModel with QPainter; repaints at most once per display frame.
#pragma once

#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "chart/ChartModel.h"

namespace console {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(const chart::ChartModel& model, QWidget* parent = nullptr);

    // The rectangle inside the axes where series are drawn.
    QRect PlotArea() const;
    // Pixel position of a model value inside the plot area.
    QPointF ToPixel(double x, double y) const;

signals:
    // Views that depend on the plot's width follow it.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PollRevision();
    void DrawGrid(QPainter& p, const QRect& plot) const;
    void DrawSeries(QPainter& p, const QRect& plot, const chart::Series& s) const;
    void DrawTitles(QPainter& p, const QRect& plot) const;

    const chart::ChartModel& model_;
    QTimer frameTimer_;
    std::uint64_t drawnRevision_ = ~std::uint64_t{0};
};

} // namespace console
