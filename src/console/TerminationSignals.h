// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) as a close request to the
// main window, so the shut-down runs in full: a calibrating detector is taken out of
// calibration before the tool ends.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;
class QWidget;

namespace console {

class TerminationSignals : public QObject {
public:
    // From now until destruction the three signals close the window instead of ending the
    // process, through closeUnattended: nobody is there to answer a question. One instance
    // at a time.
    TerminationSignals(QWidget& window, std::function<void()> closeUnattended);
    ~TerminationSignals() override;

private:
    QSocketNotifier* notifier;
};

} // namespace console
