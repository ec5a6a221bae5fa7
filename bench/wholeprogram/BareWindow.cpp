// bare-window PORT [--text]: the start-up reference for the tool. A Qt Widgets program showing
// an empty main window at the tool's initial size; when its event loop first runs it opens the
// port and reads it (what the tool's first link cycle does) and quits. With --text the window
// shows one line of text, so the font system starts as it must in any window with words.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(804, 417);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Select detector connection port ...")));
    window.show();
    const QByteArray port = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QTimer::singleShot(0, &application, [&] {
        const int fd = ::open(port.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0) {
            char byte;
            // Seen from outside as the first read; its result does not matter here.
            [[maybe_unused]] const ssize_t n = ::read(fd, &byte, 1);
            ::close(fd);
        }
        QApplication::quit();
    });
    return QApplication::exec();
}
