// Paints the chart model: markers, clipped bars, lines, grid, axis labels and titles.
#include "console/chart/ChartWidget.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <cmath>

namespace console {

namespace {

constexpr int kLeftMargin = 44;
constexpr int kBottomMargin = 34;
constexpr int kEdge = 6;
constexpr int kFrameMs = 16;
// The chart's ground; a bar of this colour is seen only by its outline.
constexpr std::uint32_t kGround = 0xFFFFFF;

QColor ToColour(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

Qt::PenStyle ToPenStyle(chart::GridStyle style) {
    switch (style) {
    case chart::GridStyle::Solid:
        return Qt::SolidLine;
    case chart::GridStyle::Dash:
        return Qt::DashLine;
    case chart::GridStyle::Dot:
        return Qt::DotLine;
    case chart::GridStyle::DashDot:
        return Qt::DashDotLine;
    case chart::GridStyle::DashDotDot:
        return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

double Step(const chart::Axis& axis) {
    const double span = axis.maximum - axis.minimum;
    if (axis.increment > 0 && span / axis.increment <= 50)
        return axis.increment;
    if (!(span > 0))
        return 1;
    const double raw = span / 8;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    return std::ceil(raw / mag) * mag;
}

} // namespace

ChartWidget::ChartWidget(const chart::ChartModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The first change arms one frame; later changes inside it ride along, so any number of
    // model changes cost one paint, and an unchanged model costs no wake-up at all.
    frameTimer_.setSingleShot(true);
    frameTimer_.setInterval(kFrameMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        if (model_.Revision() != drawnRevision_)
            update();
    });
    touchListener_ = model_.OnTouch([this] { ArmFrame(); });
}

void ChartWidget::ArmFrame() {
    // A hidden chart waits: showing it paints the model as it is then.
    if (isVisible() && !frameTimer_.isActive())
        frameTimer_.start();
}

void ChartWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    frameTimer_.stop();
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void ChartWidget::SetBottomStrip(int pixels) {
    bottomStrip_ = pixels;
    update();
}

QRect ChartWidget::PlotArea() const {
    const int left = model_.leftAxis.visible ? kLeftMargin : kEdge;
    const int bottom = model_.bottomAxis.visible ? kBottomMargin : std::max(kEdge, bottomStrip_);
    return QRect(left, kEdge, std::max(1, width() - left - kEdge),
                 std::max(1, height() - kEdge - bottom));
}

ChartWidget::PixelMap ChartWidget::Map() const {
    const QRect plot = PlotArea();
    const auto& bx = model_.bottomAxis;
    const auto& ly = model_.leftAxis;
    const double xs = bx.maximum > bx.minimum ? (plot.width() - 1) / (bx.maximum - bx.minimum) : 0;
    const double ys = ly.maximum > ly.minimum ? (plot.height() - 1) / (ly.maximum - ly.minimum) : 0;
    return {double(plot.left()), double(plot.bottom()), bx.minimum, ly.minimum, xs, ys};
}

QPointF ChartWidget::ToPixel(double x, double y) const {
    return Map()(x, y);
}

QColor ChartWidget::Ground() {
    return ToColour(kGround);
}

void ChartWidget::paintEvent(QPaintEvent*) {
    drawnRevision_ = model_.Revision();
    QPainter p(this);
    p.fillRect(rect(), Ground());
    const QRect plot = PlotArea();
    DrawGrid(p, plot);
    p.save();
    p.setClipRect(plot);
    const PixelMap map = Map();
    for (std::size_t i = 0; i < model_.SeriesCount(); ++i)
        if (model_.At(i).Visible())
            DrawSeries(p, plot, map, model_.At(i));
    p.restore();
    DrawTitles(p, plot);
}

void ChartWidget::DrawGrid(QPainter& p, const QRect& plot) {
    p.setPen(Qt::black);
    p.drawRect(plot.adjusted(0, 0, -1, -1));
    const auto& ly = model_.leftAxis;
    const auto& bx = model_.bottomAxis;
    const double ystep = Step(ly);
    for (double v = std::ceil(ly.minimum / ystep) * ystep; v <= ly.maximum + 1e-9; v += ystep) {
        const int py = static_cast<int>(std::lround(ToPixel(bx.minimum, v).y()));
        if (ly.gridVisible) {
            p.setPen(QPen(Qt::gray, 1, ToPenStyle(ly.gridStyle)));
            p.drawLine(plot.left() + 1, py, plot.right() - 1, py);
        }
        if (ly.visible) {
            p.setPen(Qt::black);
            tickTexts_.Draw(p, QRect(0, py - 8, plot.left() - 3, 16),
                            Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'g', 7));
        }
    }
    const double xstep = Step(bx);
    for (double v = std::ceil(bx.minimum / xstep) * xstep; v <= bx.maximum + 1e-9; v += xstep) {
        const int px = static_cast<int>(std::lround(ToPixel(v, ly.minimum).x()));
        if (bx.gridVisible) {
            p.setPen(QPen(Qt::gray, 1, ToPenStyle(bx.gridStyle)));
            p.drawLine(px, plot.top() + 1, px, plot.bottom() - 1);
        }
        if (bx.visible) {
            p.setPen(Qt::black);
            tickTexts_.Draw(p, QRect(px - 30, plot.bottom() + 2, 60, 14), Qt::AlignCenter,
                            QString::number(v, 'g', 7));
        }
    }
}

void ChartWidget::DrawSeries(QPainter& p, const QRect& plot, const PixelMap& map,
                             const chart::Series& s) const {
    using chart::SeriesKind;
    if (s.Kind() == SeriesKind::Line) {
        DrawLine(p, map, s);
        return;
    }
    p.setPen(Qt::NoPen);
    // Neighbouring markers of one colour at one height (a threshold level held for a whole
    // page) touch or overlap: fill them as one run, which gives the same pixels far faster.
    QRect run;
    std::uint32_t runColour = 0;
    const auto flushRun = [&] {
        if (!run.isNull())
            p.fillRect(run, ToColour(runColour));
        run = QRect();
    };
    for (const auto& pt : s.Points()) {
        const QPointF c = map(pt.x, pt.y);
        const int cx = static_cast<int>(std::lround(c.x()));
        const int cy = static_cast<int>(std::lround(c.y()));
        switch (s.Kind()) {
        case SeriesKind::Point: {
            const QRect marker(cx - s.HorizSize(), cy - s.VertSize(), 2 * s.HorizSize() + 1,
                               2 * s.VertSize() + 1);
            if (!run.isNull() && pt.colour == runColour && marker.top() == run.top() &&
                marker.left() <= run.right() + 1 && marker.right() >= run.left() - 1) {
                run = run.united(marker);
            } else {
                flushRun();
                run = marker;
                runColour = pt.colour;
            }
            break;
        }
        case SeriesKind::Bar:
            // Tall bars (the alarm marks) run past the top of the axis; the plot clip cuts them.
            if (cy <= plot.bottom())
                p.fillRect(cx - s.BarWidth() / 2, cy, s.BarWidth(), plot.bottom() - cy + 1,
                           ToColour(pt.colour));
            break;
        case SeriesKind::HorizBar: {
            // Runs from the left edge along the bottom axis out to x, at height y.
            const int left = plot.left();
            const QRect band(left, cy - s.BarWidth() / 2, cx - left + 1, s.BarWidth());
            p.fillRect(band, ToColour(pt.colour));
            if (pt.colour == kGround && cx > left) {
                p.setPen(Qt::black);
                p.drawRect(band.adjusted(0, 0, -1, -1));
                p.setPen(Qt::NoPen);
            }
            break;
        }
        case SeriesKind::Line:
            break;
        }
    }
    flushRun();
}

void ChartWidget::DrawLine(QPainter& p, const PixelMap& map, const chart::Series& s) const {
    // The line is two pixels wide. Qt strokes a wide pen as one outline of the whole series and
    // scan-converts it, which costs milliseconds for a page of points; two one-pixel lines half
    // a pixel either side of each segment, across its main direction, fill nearly the same
    // pixels for a tenth of that.
    QPen pen(ToColour(s.Colour()), 1);
    pen.setCosmetic(true);
    p.setPen(pen);
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(s.Count()));
    for (const auto& pt : s.Points())
        line.append(map(pt.x, pt.y) - QPointF(0.5, 0.5));
    p.drawPolyline(line);
    // The second line runs one pixel below flat segments and right of steep ones; each run of
    // segments leaning the same way is one polyline, which joins them as the wide pen did.
    QPolygonF beside;
    bool besideFlat = false;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF from = line[i - 1], to = line[i];
        const bool flat = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
        const QPointF across = flat ? QPointF(0, 1) : QPointF(1, 0);
        if (beside.isEmpty() || flat != besideFlat) {
            p.drawPolyline(beside);
            beside.clear();
            beside.append(from + across);
            besideFlat = flat;
        }
        beside.append(to + across);
    }
    p.drawPolyline(beside);
}

void ChartWidget::DrawTitles(QPainter& p, const QRect& plot) const {
    p.setPen(Qt::black);
    if (model_.bottomAxis.visible && !model_.bottomAxis.title.empty())
        p.drawText(QRect(plot.left(), height() - 16, plot.width(), 16), Qt::AlignCenter,
                   QString::fromStdString(model_.bottomAxis.title));
    if (model_.leftAxis.visible && !model_.leftAxis.title.empty()) {
        p.save();
        p.translate(10, plot.center().y());
        p.rotate(-90);
        p.drawText(QRect(-plot.height() / 2, -8, plot.height(), 16), Qt::AlignCenter,
                   QString::fromStdString(model_.leftAxis.title));
        p.restore();
    }
}

} // namespace console
