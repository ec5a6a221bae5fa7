// PNG encoding of an 804 x 417 window picture: our writer beside Qt's on the same image.
// Goal: no slower than Qt's writer and files within 10 % of its size. Run by hand:
//   build/bench/records/records_bench
#include "records/PngWriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace {

// A stand-in for the main window on the Settings page: panels, tabs, labels, a chart with a
// grid, three threshold lines and a noisy signal, drawn as the window draws (RGB32).
QImage WindowPicture() {
    QImage image(804, 417, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(4, 4, 180, 408);
    const char* labels[] = {"Model:",   "Band:",     "Firmware:", "Output:", "Unit ID:",
                            "Address:", "Position:", "State:",    "Supply:", "Signal:"};
    for (int i = 0; i < 10; ++i) {
        p.setPen(Qt::black);
        p.drawText(12, 24 + i * 22, labels[i]);
        p.setPen(i == 7 ? QColor(0, 128, 0) : QColor(0, 0, 160));
        p.drawText(90, 24 + i * 22, i == 7 ? "Normal" : "---");
    }
    p.fillRect(12, 250, 164, 40, QColor(255, 255, 192));
    p.drawText(16, 274, "Waiting for detector ...");
    for (int t = 0; t < 5; ++t) {
        p.setPen(QColor(128, 128, 128));
        p.setBrush(t == 3 ? QColor(255, 255, 255) : QColor(228, 228, 228));
        p.drawRect(190 + t * 100, 4, 98, 22);
        p.setPen(Qt::black);
        p.drawText(198 + t * 100, 20, QString("Page <F%1>").arg(t + 1));
    }
    const QRect chart(196, 36, 600, 370);
    p.fillRect(chart, Qt::white);
    p.setPen(QPen(QColor(220, 220, 220), 1, Qt::DotLine));
    for (int x = chart.left(); x < chart.right(); x += 50) {
        p.drawLine(x, chart.top(), x, chart.bottom());
    }
    for (int y = chart.top(); y < chart.bottom(); y += 37) {
        p.drawLine(chart.left(), y, chart.right(), y);
    }
    const int levels[] = {120, 180, 300};
    const QColor colours[] = {Qt::red, QColor(255, 128, 0), Qt::blue};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i], 2));
        p.drawLine(chart.left(), chart.top() + levels[i], chart.right(), chart.top() + levels[i]);
    }
    QPainterPath signal;
    std::srand(7);
    for (int x = 0; x < chart.width(); ++x) {
        const double y = 220 + 60 * std::sin(x / 37.0) + std::rand() % 21 - 10;
        x == 0 ? signal.moveTo(chart.left(), chart.top() + y)
               : signal.lineTo(chart.left() + x, chart.top() + y);
    }
    p.setPen(QPen(QColor(0, 128, 0), 1));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.drawPath(signal);
    p.end();
    return image;
}

const QImage& Picture() {
    static const QImage picture = WindowPicture();
    return picture;
}

// The console's path: the grabbed RGB32 picture converted to RGB888, then encoded.
void BM_OurWriter(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) {
        const QImage rgb = Picture().convertToFormat(QImage::Format_RGB888);
        const records::ImageView view{rgb.width(), rgb.height(), 3,
                                      static_cast<std::size_t>(rgb.bytesPerLine()),
                                      rgb.constBits()};
        const std::optional<std::string> png = records::EncodePng(view);
        size = png->size();
        benchmark::DoNotOptimize(png);
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_OurWriter)->Unit(benchmark::kMillisecond);

void BM_QtWriter(benchmark::State& state) {
    qint64 size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.write(Picture());
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_QtWriter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
