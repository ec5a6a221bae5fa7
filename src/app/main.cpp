// The process entry: application object and title, the main window, the message loop.
#include "console/Main.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirelund"));
    QApplication::setApplicationDisplayName(
        QStringLiteral("Microwave intrusion - detector programming software"));
    try {
        console::TfmMain window;
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromUtf8(error.what()));
    }
    return 1;
}
