// Fixture of the main-window tests.
#include "ConsoleFixture.h"

#include "console/PageControl.h"
#include "console/PageTabBar.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLocale>
#include <QTabBar>

#include <algorithm>
#include <stdexcept>

namespace console {

namespace {

class FakeBackend final : public detlink::SerialBackend {
public:
    explicit FakeBackend(FakePort& port)
        : port(port) {}
    bool Open(int n, int) override {
        port.open = port.ports.count(n) != 0;
        return port.open;
    }
    void Close() override { port.open = false; }
    std::string OpenFailure() const override { return port.open ? std::string() : port.failure; }
    int Write(const std::uint8_t* bytes, int count) override {
        port.writes.emplace_back(bytes, bytes + count);
        return count;
    }
    int Read(std::uint8_t* buffer, int count) override {
        if (!port.open)
            return 0;
        if (port.throwOnRead)
            throw std::runtime_error("port fault");
        if (port.reads.empty() && !port.chatter.empty())
            port.reads.push_back(port.chatter);
        if (port.reads.empty())
            return 0;
        std::vector<std::uint8_t> chunk = std::move(port.reads.front());
        port.reads.pop_front();
        const int n = std::min<int>(count, static_cast<int>(chunk.size()));
        std::copy_n(chunk.begin(), n, buffer);
        if (n < static_cast<int>(chunk.size()))
            port.reads.emplace_front(chunk.begin() + n, chunk.end());
        return n;
    }

private:
    FakePort& port;
};

} // namespace

void ConsoleFixture::SetUp() {
    ASSERT_TRUE(directory.isValid());
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(directory.path());
    window = std::make_unique<TfmMain>(clock, std::make_unique<FakeBackend>(port), [this] {
        std::vector<std::string> names;
        for (int n : port.ports)
            names.push_back("COM" + std::to_string(n) + ":");
        return names;
    });
    window->show();
    QApplication::setActiveWindow(window.get());
}

void ConsoleFixture::TearDown() {
    window.reset();
    QDir::setCurrent(previousDirectory);
}

std::vector<std::uint8_t> ConsoleFixture::WireFrame(detlink::TelemetryWord word) {
    const auto high = static_cast<std::uint8_t>(word >> 8);
    const auto low = static_cast<std::uint8_t>(word & 0xFF);
    return {0x00, high, low, static_cast<std::uint8_t>(high + low)};
}

void ConsoleFixture::Tick() {
    window->TimerTimer();
}

void ConsoleFixture::Send(const std::vector<detlink::TelemetryWord>& words) {
    std::vector<std::uint8_t> bytes;
    for (detlink::TelemetryWord word : words) {
        const std::vector<std::uint8_t> frame = WireFrame(word);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    port.reads.push_back(bytes);
    Tick();
}

detlink::DetectorStatus ConsoleFixture::Detector() {
    detlink::DetectorStatus d{};
    d.w0.symbol = 2;
    d.w0.number = 7;
    d.w1.sig = 100;
    d.w2.aver = 100;
    d.w2.state = 0;
    d.w3.senspp = 7;
    d.w3.sensmp = 7;
    d.w4.sensbp = 7;
    d.w4.dist = 16;
    d.w4.reg = 2;
    d.w5.vel_min = 1;
    d.w5.vel_max = 1;
    d.w5.amplif = 1;
    d.w6.dev = 5;
    d.w6.prog = 3;
    d.w6.adr = 1;
    d.w6.cs = 1;
    d.w7.pwr = 600;
    for (int kind = 0; kind < 8; ++kind)
        d.Store(static_cast<detlink::TelemetryWord>((d.Word(kind) & 0x1FFF) | kind << 13));
    return d;
}

void ConsoleFixture::SendCycle(const detlink::DetectorStatus& detector) {
    last = detector;
    std::vector<detlink::TelemetryWord> words;
    for (int kind = 0; kind < 8; ++kind)
        words.push_back(
            static_cast<detlink::TelemetryWord>((detector.Word(kind) & 0x1FFF) | kind << 13));
    Send(words);
}

void ConsoleFixture::Drain() {
    SendCycle(last);
}

std::vector<int> ConsoleFixture::ArmedSlots() const {
    std::vector<int> armed;
    for (int k = 0; k < 4; ++k)
        if (Slot(k).bSend)
            armed.push_back(k);
    return armed;
}

QStringList ConsoleFixture::TabCaptions() const {
    QStringList captions;
    const QTabBar* bar = window->pcMain->TabBar();
    for (int i = 0; i < bar->count(); ++i)
        captions << bar->tabText(i);
    return captions;
}

void ConsoleFixture::Choose(QComboBox* box, int item) {
    box->setCurrentIndex(item);
    emit box->activated(item);
}

QString ConsoleFixture::Decimal(QString text) {
    return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

} // namespace console
