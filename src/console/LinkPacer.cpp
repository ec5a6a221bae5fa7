// The event loop's side of the link cycle's pacing.
#include "console/LinkPacer.h"

#include <QSocketNotifier>

namespace console {

LinkPacer::LinkPacer(const detlink::Clock& clock, PortState port, Cycle cycle, QObject* parent)
    : QObject(parent)
    , clock(clock)
    , port(std::move(port))
    , cycle(std::move(cycle)) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, [this] { RunCycle(false); });
}

LinkPacer::~LinkPacer() = default;

void LinkPacer::Start() {
    timer.start(0);
}

void LinkPacer::Stop() {
    timer.stop();
    if (notifier)
        notifier->setEnabled(false);
}

bool LinkPacer::bActive() const {
    return !bInCycle && (timer.isActive() || (notifier && notifier->isEnabled()));
}

// No cycle runs inside another: an error a cycle reports is shown in a dialog with its own
// event loop, and the link must stay still until the operator has read it. A wake-up inside
// that loop stops the pacer; the cycle plans the next one when it ends. Outside it the
// notifier and the timer stay as they are, so the event loop's lists are not rebuilt for
// every cycle.
void LinkPacer::RunCycle(bool wokenByPort) {
    if (bInCycle) {
        Stop();
        return;
    }
    bInCycle = true;
    const detlink::CycleOutcome outcome = cycle(wokenByPort);
    bInCycle = false;
    Plan(outcome);
}

void LinkPacer::Plan(const detlink::CycleOutcome& outcome) {
    const auto [watch, descriptor] = port();
    const detlink::CycleWait wait = pacer.Plan(watch, outcome);
    WatchDescriptor(descriptor, wait.watchPort);
    // A timer that fires no later than wanted is kept: waking early runs a cycle that finds
    // nothing due, while a moving deadline would otherwise re-arm it after every read.
    const int wakeIn = detlink::MillisecondsUntil(clock.SteadyNow(), wait.wakeAt);
    if (!timer.isActive() || timer.remainingTime() > wakeIn)
        timer.start(wakeIn);
}

// A reopened port may come back on another descriptor: the notifier follows it.
void LinkPacer::WatchDescriptor(int descriptor, bool watch) {
    if (!watch) {
        if (notifier)
            notifier->setEnabled(false);
        return;
    }
    if (!notifier || notifier->socket() != descriptor) {
        notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, [this] { RunCycle(true); });
    }
    notifier->setEnabled(true);
}

} // namespace console
