// Runs the link cycle when the port has bytes and at the supervision's deadlines, by a socket
// notifier on the port's descriptor and one single-shot timer, so the event loop sleeps while
// nothing happens (see link/CyclePacing.h for the rules).
#pragma once

#include "link/Clock.h"
#include "link/CyclePacing.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace console {

class LinkPacer final : public QObject {
public:
    // What the port lets the event loop watch, and the descriptor when it is open.
    using PortState = std::function<std::pair<detlink::PortWatch, int>()>;
    // Runs one cycle (woken by the port or by the timer) and tells what it saw.
    using Cycle = std::function<detlink::CycleOutcome(bool wokenByPort)>;

    LinkPacer(const detlink::Clock& clock, PortState port, Cycle cycle, QObject* parent);
    ~LinkPacer() override;

    // The first cycle comes from the event loop at once.
    void Start();
    void Stop();
    // Whether a wake-up will run a cycle: never while one runs.
    bool bActive() const;
    // One cycle now, then the next is planned from what it saw.
    void RunCycle(bool wokenByPort);

private:
    void Plan(const detlink::CycleOutcome& outcome);
    void WatchDescriptor(int descriptor, bool watch);

    const detlink::Clock& clock;
    PortState port;
    Cycle cycle;
    detlink::CyclePacer pacer;
    QTimer timer;
    std::unique_ptr<QSocketNotifier> notifier;
    bool bInCycle = false;
};

} // namespace console
