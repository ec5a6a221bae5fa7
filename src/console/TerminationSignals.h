// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) as a close request to the
// main window, so the shut-down runs in full: a calibrating detector is taken out of
// calibration before the tool ends.
#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace console {

class TerminationSignals : public QObject {
public:
    // From now until destruction the three signals close the window instead of ending the
    // process; one instance at a time.
    explicit TerminationSignals(QWidget& window);
    ~TerminationSignals() override;

private:
    QSocketNotifier* notifier;
};

} // namespace console
