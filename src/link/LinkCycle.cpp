// The link cycle: supervision, receive, telemetry kind rules and command sending.
#include "link/LinkCycle.h"

#include "catalogue/DateTime.h"
#include "catalogue/DetectorCatalogue.h"

#include <exception>

namespace detlink {
namespace {

// One frame of each kind 2 to 7 sums to 27: more than this closes a full telemetry cycle.
constexpr int kFullCycleSum = 26;

} // namespace

LinkCycle::LinkCycle(const Clock& clock, TrafficLog& log, LinkObserver& observer, SerialGate& gate,
                     PortEnumerator enumerate, RecordingEvents& events)
    : Gate(gate)
    , clock(clock)
    , log(log)
    , observer(observer)
    , enumerate(std::move(enumerate))
    , events(events) {
    RenewPacketTime();
}

void LinkCycle::RenewPacketTime() {
    PacketTime = clock.SteadyNow();
    PacketWallTime = clock.Now();
}

void LinkCycle::TimerTimer() {
    try {
        if (Recv()) {
            Send();
        }
    } catch (const std::exception& error) {
        observer.ReportError(error.what());
    } catch (...) {
        observer.ReportError(std::string());
    }
}

void LinkCycle::LogSupervision(const char* event, double limit) {
    if (!log.bLogEnabled()) {
        return;
    }
    log.WriteLogLine(event);
    log.WriteLogLine("Now()=" + catalogue::FormatMinSecMs(clock.Now()) +
                     " PacketTime=" + catalogue::FormatMinSecMs(PacketWallTime) +
                     " period=" + catalogue::FormatMinSecMs(dblPeriod) +
                     " const=" + catalogue::FormatMinSecMs(limit));
}

double LinkCycle::NextDeadline() const {
    switch (eDeviceState) {
    case EDevNone:
        return PacketTime + kReopenLimit;
    case EDevPause:
        return PacketTime + kLostLimit;
    case EDevWork:
    case EDevDetect:
    case EDevRefresh:
        break;
    }
    // The pause limit comes before the hung limit of a detecting link.
    return PacketTime + kPauseLimit;
}

bool LinkCycle::Recv() {
    Scanner.iLastReadCount = 0;
    dblPeriod = clock.SteadyNow() - PacketTime;
    if (dblPeriod > kHungLimit && eDeviceState == EDevDetect) {
        LogSupervision("Hung!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*12 && eDeviceState "
                       "== EDevDetect)",
                       kHungLimit);
        eDeviceState = EDevNone;
        RenewPacketTime();
        ResetStatus();
        return false;
    }
    if (dblPeriod > kLostLimit && eDeviceState == EDevPause) {
        LogSupervision("Lost!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*3.5 && eDeviceState "
                       ">= EDevPause)",
                       kLostLimit);
        eDeviceState = EDevNone;
        RenewPacketTime();
        ResetStatus();
        events.Raise(RecordingEvent::Disconnection);
        return false;
    }
    if (dblPeriod > kPauseLimit && eDeviceState >= EDevWork && eDeviceState <= EDevRefresh) {
        LogSupervision("Pause!!! void TfmMain::Recv()|if(dblPeriod>1./24/60/60*2.5 && eDeviceState "
                       ">= EDevWork && "
                       "eDeviceState < EDevPause)",
                       kPauseLimit);
        eDeviceState = EDevPause;
        PrevStatus.w2.state = Status.w2.state;
        Status.w2.state = catalogue::StatePause;
        observer.ShowPauseState();
        RenewPacketTime();
        events.Raise(RecordingEvent::Pause);
        return false;
    }
    if (dblPeriod > kReopenLimit && eDeviceState == EDevNone) {
        RenewPacketTime();
        cbComPortChange();
        return false;
    }
    return Scanner.ReadAndScan(Gate, *this);
}

void LinkCycle::OnGoodFrame(TelemetryWord word) {
    RenewPacketTime();
    if (eDeviceState == EDevPause) {
        if (events.SaveChecked()) {
            events.bAlarmResync = true;
        }
        eDeviceState = EDevWork;
    }
    ApplyTelemetry(word);
    Cmd.RecomputeMoreToSend();
}

void LinkCycle::ApplyTelemetry(TelemetryWord word) {
    const int kind = KindOf(word);
    // Past a full cycle the sum only has to stay past it: a line that never sends kind 7
    // must not overflow it.
    if (kind >= 2 && iKindSum <= kFullCycleSum) {
        iKindSum += kind;
    }
    switch (kind) {
    case 0:
        Status.Store(word);
        observer.ShowPosition();
        Cmd.Confirm(3, Status);
        break;
    case 1:
        PrevStatus.w1 = Status.w1;
        Status.Store(word);
        observer.OnSignalWord();
        if (eDeviceState > EDevNone) {
            eDeviceState = EDevWork;
        }
        break;
    case 2: {
        PrevStatus.w2 = Status.w2;
        Status.Store(word);
        const int before = PrevStatus.w2.state;
        const int now = Status.w2.state;
        const bool toCalibration = now != before && now == catalogue::StateCalibration;
        if (toCalibration && !observer.IsCalibrationPageActive()) {
            observer.ShowCalibrationPage();
        }
        observer.OnStateWord();
        if (toCalibration || events.bAlarmResync) {
            events.bAlarmResync = false;
            events.Raise(RecordingEvent::Calibration);
        } else if (now != before && now == catalogue::StateSettingsChange) {
            events.Raise(RecordingEvent::SettingsChange);
        }
        Cmd.Confirm(0, Status);
        break;
    }
    case 3:
        Status.Store(word);
        observer.PlaceSetupMarkers();
        Cmd.Confirm(0, Status);
        Cmd.Confirm(1, Status);
        break;
    case 4:
        Status.Store(word);
        observer.ShowSetup();
        Cmd.Confirm(1, Status);
        Cmd.Confirm(2, Status);
        break;
    case 5:
        Status.Store(word);
        observer.ShowSpeed();
        observer.ShowSignalLevel();
        Cmd.Confirm(2, Status);
        break;
    case 6:
        Status.Store(word);
        observer.ShowIdentity();
        Cmd.Confirm(0, Status);
        Cmd.Confirm(1, Status);
        break;
    default:
        Status.Store(word);
        if (iKindSum > kFullCycleSum) {
            if (eDeviceState == EDevNone) {
                eDeviceState = EDevDetect;
                events.bAlarmResync = true;
                observer.IdentifyDetector();
                observer.StoreComPort(iComPort);
            } else {
                eDeviceState = EDevRefresh;
                Cmd.RearmAwaiting();
            }
        }
        iKindSum = 0;
        observer.ShowSupply();
        break;
    }
}

void LinkCycle::Send() {
    if (!Cmd.bMoreToSend) {
        return;
    }
    int slot = 0;
    while (slot < 4 && !Cmd.Cmd[static_cast<std::size_t>(slot)].bSend) {
        ++slot;
    }
    if (slot == 4) {
        // Flag out of step with the slots: nothing to send, so the countdown stays.
        Cmd.RecomputeMoreToSend();
        return;
    }
    iSentBytes = 0;
    --Cmd.iSendRepeat;
    const int length = Status.w6.cs == 1 ? 3 : 2;
    PendingCommand& command = Cmd.Cmd[static_cast<std::size_t>(slot)];
    int count = 0;
    for (int i = 0; i < length; ++i) {
        SendBuf[static_cast<std::size_t>(count++)] = command.Bytes[static_cast<std::size_t>(i)];
    }
    if (length == 2) {
        SendBuf[2] = command.Bytes[0];
        SendBuf[3] = command.Bytes[1];
        count = 4;
    }
    command.bSend = Cmd.iSendRepeat > 0;
    if (Cmd.iSendRepeat <= 0) {
        Cmd.iSendRepeat = kSendRepeatStart;
    }
    iSentBytes = Gate.Write(SendBuf.data(), count);
    if (log.bLogEnabled()) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        std::string line = "Out:[";
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                line += ' ';
            }
            line += kDigits[SendBuf[static_cast<std::size_t>(i)] >> 4];
            line += kDigits[SendBuf[static_cast<std::size_t>(i)] & 15];
        }
        line += "] send:" + std::to_string(iSentBytes) + " bytes " + Cmd.SlotLogText(slot);
        log.WriteLogLine(line);
    }
    Cmd.RecomputeMoreToSend();
}

void LinkCycle::RefreshPortList() {
    observer.ShowPortNote(PortNote::SelectPort);
    Gate.Close();
    EnumeratePorts(enumerate ? enumerate() : std::vector<std::string>(), PortTable);
    PortListView& list = observer.PortList();
    MergePortList(PortTable, iComPort, list);
    const int selected = list.Selected();
    iComPort = selected >= 0 ? ParsePortNumber(list.Text(selected)) : 0;
    bComPortOpen = Gate.Open(iComPort, kLinkBaudRate);
    if (!bComPortOpen) {
        observer.ShowPortNote(PortNote::CannotOpen);
    }
}

void LinkCycle::cbComPortChange() {
    eDeviceState = EDevNone;
    ResetStatus();
    PortListView& list = observer.PortList();
    const int selected = list.Selected();
    iComPort = selected >= 0 ? ParsePortNumber(list.Text(selected)) : 0;
    RefreshPortList();
}

void LinkCycle::ResetStatus() {
    Status = DetectorStatus{};
    PrevStatus = DetectorStatus{};
    Status.w0.number = catalogue::kNoPosition;
    Status.w0.symbol = catalogue::kNoPositionSymbol;
    PrevStatus.w0 = Status.w0;
    Status.w2.state = catalogue::StateDisconnection;
    PrevStatus.w2.state = catalogue::StateDisconnection;
    Cmd.Cmd[0].bSend = false;
    Cmd.Cmd[0].bAwait = false;
    Cmd.bMoreToSend = false;
    observer.ResetStatus();
}

} // namespace detlink
