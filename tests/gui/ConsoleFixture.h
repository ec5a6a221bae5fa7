// The main window on a fake serial port and a fake clock, in a temporary working directory,
// with helpers that play a detector's telemetry into it one link cycle at a time.
#pragma once

#include "console/Main.h"
#include "support/FakeClock.h"
#include "support/FakeSerial.h"

#include <QKeySequence>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;

namespace console {

using testing_support::WireFrame;

class ConsoleFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs in the working directory before the window starts: files a test wants there.
    virtual void BeforeStart() {}
    // The access level the window starts at.
    virtual int StartAccessLevel() const { return 1; }

    // A consistent detector: Orvel 10, firmware 1.3, position C07, Normal, Auto at 150 m
    // with the table's step on all three thresholds.
    static detlink::DetectorStatus Detector();

    // One link cycle on whatever the port holds.
    void Tick();
    // The words as good frames, read in one link cycle.
    void Send(const std::vector<detlink::TelemetryWord>& words);
    // One word of each kind 0 ... 7, in order: a full telemetry cycle.
    void SendCycle(const detlink::DetectorStatus& detector);
    // Another full cycle of the last detector sent, so that commands matching it confirm.
    void Drain();
    // A tenth of a second later, when the views that follow the signal's noise show their
    // newest values.
    void ShowHeldViews();

    const detlink::PendingCommand& Slot(int k) const { return window->Cmd(k); }
    // o_state of the calibration command in slot 0.
    int SlotState() const { return detlink::DecodeCommand0(Slot(0).Bytes).state; }
    std::vector<int> ArmedSlots() const;
    QStringList TabCaptions() const;
    // The operator picks an item: the box changes and its handler runs.
    static void Choose(QComboBox* box, int item);
    // The text with the user's decimal separator in place of the point.
    static QString Decimal(QString text);
    // The key a button's caption names between angle brackets: "Reset <F8>" names F8.
    static QKeySequence CaptionKey(const QAbstractButton* button);

    QTemporaryDir directory;
    QString previousDirectory;
    testing_support::FakeClock clock;
    testing_support::FakePort port;
    std::unique_ptr<TfmMain> window;
    detlink::DetectorStatus last{};
};

} // namespace console
