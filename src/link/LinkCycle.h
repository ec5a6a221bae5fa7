// One detector link: port, receive scan, telemetry rules, supervision and command sending,
// run by TimerTimer whenever the window's pacing wakes it (see CyclePacing.h).
#pragma once

#include "catalogue/DateTime.h"
#include "link/Clock.h"
#include "link/CommandSlots.h"
#include "link/DetectorStatus.h"
#include "link/FrameScanner.h"
#include "link/LinkObserver.h"
#include "link/PortList.h"
#include "link/RecordingEvents.h"
#include "link/SerialGate.h"
#include "link/TrafficLog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace detlink {

enum EDeviceState : std::uint8_t {
    EDevNone = 0,
    EDevWork = 1,
    EDevDetect = 2,
    EDevRefresh = 3,
    EDevPause = 4
};

inline constexpr double kHungLimit = 12 * catalogue::kOneSecond;
inline constexpr double kLostLimit = 3.5 * catalogue::kOneSecond;
inline constexpr double kPauseLimit = 2.5 * catalogue::kOneSecond;
inline constexpr double kReopenLimit = 1.2 * catalogue::kOneSecond;

// The system's port names ("COM3:"), as the spooler would list them.
using PortEnumerator = std::function<std::vector<std::string>()>;

class LinkCycle final : private FrameSink {
public:
    LinkCycle(const Clock& clock, TrafficLog& log, LinkObserver& observer, SerialGate& gate,
              PortEnumerator enumerate, RecordingEvents& events);

    // One cycle: Recv, then Send when a good frame was applied; errors go to the observer.
    void TimerTimer();
    // The steady time at which the supervision of the present state next acts (a pause, a
    // lost link, a reopen), if no good frame comes first.
    double NextDeadline() const;
    // Bytes the last cycle read from the port.
    int ReadBytes() const { return Scanner.iLastReadCount; }
    bool Recv();
    void Send();
    void ApplyTelemetry(TelemetryWord word);
    void RefreshPortList();
    void cbComPortChange();
    // The link's part of a status reset (records, slot 0), then the observer's views.
    void ResetStatus();

    void QueueCommand0(int adr, int senspp, int state, int ctrl_pp_mp) {
        Cmd.QueueCommand0(adr, senspp, state, ctrl_pp_mp);
    }
    void QueueCommand1(int sensmp, int sensbp, int letter) {
        Cmd.QueueCommand1(sensmp, sensbp, letter);
    }
    void QueueCommand2(int vel_min, int vel_max, int dist, int reg) {
        Cmd.QueueCommand2(vel_min, vel_max, dist, reg);
    }
    void QueueCommand3(int symbol, int number) { Cmd.QueueCommand3(symbol, number); }
    bool bMoreToSend() const { return Cmd.bMoreToSend; }

    SerialGate& Gate;
    int iComPort = 0;
    bool bComPortOpen = false;
    detlink::PortTable PortTable;
    FrameScanner Scanner;
    DetectorStatus Status;
    DetectorStatus PrevStatus;
    int iKindSum = 0;
    EDeviceState eDeviceState = EDevNone;
    // Steady time of the last good frame (durations must not jump with the wall clock).
    double PacketTime = 0;
    // Wall time of the last good frame, shown in the times line.
    double PacketWallTime = 0;
    double dblPeriod = 0;
    CommandSlots Cmd;
    std::array<std::uint8_t, 4> SendBuf{};
    int iSentBytes = 0;

private:
    bool bLogEnabled() const override { return log.bLogEnabled(); }
    void WriteLogLine(const std::string& text) override { log.WriteLogLine(text); }
    void OnGoodFrame(TelemetryWord word) override;
    void RenewPacketTime();
    void LogSupervision(const char* event, double limit);

    const Clock& clock;
    TrafficLog& log;
    LinkObserver& observer;
    PortEnumerator enumerate;
    RecordingEvents& events;
};

} // namespace detlink
