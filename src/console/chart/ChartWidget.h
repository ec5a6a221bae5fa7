// Draws a chart::ChartModel with QPainter; repaints at most once per display frame, and only
// while the model changes and the widget is shown.
#pragma once

#include <QColor>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "chart/ChartModel.h"
#include "console/chart/TextCache.h"

namespace console {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(const chart::ChartModel& model, QWidget* parent = nullptr);

    // The rectangle inside the axes where series are drawn.
    QRect PlotArea() const;
    // Room under the plot for a caption of the owner's, when the bottom axis is hidden; the
    // plot ends above it.
    void SetBottomStrip(int pixels);
    // Pixel position of a model value inside the plot area.
    QPointF ToPixel(double x, double y) const;
    // The chart's ground, behind the plot and the axes.
    static QColor Ground();

signals:
    // Views that depend on the plot's width follow it.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int bottomStrip_ = 0;
    // Where model values land on the plot, worked out once per paint rather than per point.
    struct PixelMap {
        double left, bottom, xMinimum, yMinimum, xScale, yScale;
        QPointF operator()(double x, double y) const {
            return QPointF(left + (x - xMinimum) * xScale, bottom - (y - yMinimum) * yScale);
        }
    };
    PixelMap Map() const;
    void ArmFrame();
    void DrawGrid(QPainter& p, const QRect& plot);
    void DrawSeries(QPainter& p, const QRect& plot, const PixelMap& map,
                    const chart::Series& s) const;
    void DrawLine(QPainter& p, const PixelMap& map, const chart::Series& s) const;
    void DrawTitles(QPainter& p, const QRect& plot) const;

    const chart::ChartModel& model_;
    QTimer frameTimer_{this};
    TextCache tickTexts_;
    std::uint64_t drawnRevision_ = ~std::uint64_t{0};
    std::shared_ptr<const chart::ChartModel::TouchListener> touchListener_;
};

} // namespace console
