// Closes any modal dialog that opens while it watches and counts them, so that a dialog
// that would stop the link fails a test instead of hanging it.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace console {

class ModalWatch {
public:
    ModalWatch() {
        timer.callOnTimeout([this] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                ++iSeen;
                dialog->close();
            }
        });
        timer.start(10);
    }
    int iSeen = 0;

private:
    QTimer timer;
};

} // namespace console
