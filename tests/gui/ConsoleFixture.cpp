// Fixture of the main-window tests.
#include "ConsoleFixture.h"

#include "console/PageControl.h"
#include "console/PageTabBar.h"
#include "support/ConsistentDetector.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLocale>
#include <QTabBar>

namespace console {

void ConsoleFixture::SetUp() {
    ASSERT_TRUE(directory.isValid());
    previousDirectory = QDir::currentPath();
    QDir::setCurrent(directory.path());
    port.ports = {3};
    BeforeStart();
    window = std::make_unique<TfmMain>(
        clock, std::make_unique<testing_support::FakeSerialBackend>(port),
        [this] {
            std::vector<std::string> names;
            for (int n : port.ports)
                names.push_back("COM" + std::to_string(n) + ":");
            return names;
        },
        StartAccessLevel());
    window->show();
    QApplication::setActiveWindow(window.get());
}

void ConsoleFixture::TearDown() {
    window.reset();
    QDir::setCurrent(previousDirectory);
}

void ConsoleFixture::Tick() {
    window->TimerTimer();
}

void ConsoleFixture::Send(const std::vector<detlink::TelemetryWord>& words) {
    port.reads.push_back(testing_support::WireFrames(words));
    Tick();
}

void ConsoleFixture::ShowHeldViews() {
    clock.AdvanceSeconds(0.1);
    window->PaintHeldViews();
}

detlink::DetectorStatus ConsoleFixture::Detector() {
    return testing_support::ConsistentDetector();
}

void ConsoleFixture::SendCycle(const detlink::DetectorStatus& detector) {
    last = detector;
    std::vector<detlink::TelemetryWord> words;
    for (int kind = 0; kind < 8; ++kind)
        words.push_back(testing_support::Word(kind, detector.Word(kind)));
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

QKeySequence ConsoleFixture::CaptionKey(const QAbstractButton* button) {
    const QString caption = button->text();
    const qsizetype open = caption.lastIndexOf(QLatin1Char('<'));
    const qsizetype close = caption.lastIndexOf(QLatin1Char('>'));
    return QKeySequence::fromString(caption.mid(open + 1, close - open - 1));
}

} // namespace console
