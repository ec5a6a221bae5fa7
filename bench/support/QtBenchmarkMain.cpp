// Entry of every benchmark that draws with Qt: a QApplication on the offscreen platform unless
// one is chosen.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    // A benchmark closes its windows without a message loop that could end.
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
