// Frame scan with sync byte, checksum and all-zero rules, and the "Inp:" log text.
#include "link/FrameScanner.h"

#include <algorithm>
#include <cstring>

namespace detlink {
namespace {

void AppendHex(std::string& out, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

void AppendField(std::string& out, const char* label, unsigned value) {
    out += label;
    out += std::to_string(value);
}

} // namespace

bool FrameScanner::ReadAndScan(SerialGate& gate, FrameSink& sink) {
    // Normally three bytes at most are carried; after a cycle cut short by an error more
    // may wait, and the read must still end inside the buffer.
    const int room = std::min(kMaxReadBytes, kRecvBufSize - iRecvCount);
    const int n = gate.Read(RecvBuf.data() + iRecvCount, room);
    if (n > 0 && sink.bLogEnabled()) {
        sink.WriteLogLine("Recv: " + std::to_string(n));
    }
    iRecvCount += n;
    iLastReadCount = n;
    return Scan(sink);
}

bool FrameScanner::Scan(FrameSink& sink) {
    // The scanned bytes leave the buffer however the scan ends, an error thrown by a good
    // frame's views included; the bytes not yet scanned wait for the next cycle.
    struct TrimOnExit {
        FrameScanner& scanner;
        ~TrimOnExit() { scanner.TrimScanned(); }
    } trim{*this};
    bool good = false;
    iRecvPos = 0;
    while (iRecvPos + 3 < iRecvCount) {
        const std::uint8_t* raw = RecvBuf.data() + iRecvPos;
        if (raw[0] != 0) {
            ++iRecvPos;
            continue;
        }
        Frame = {raw[0], raw[2], raw[1], raw[3]};
        if (sink.bLogEnabled()) {
            sink.WriteLogLine(ComposeInpLine(raw, Frame));
        }
        if (static_cast<std::uint8_t>(Frame[1] + Frame[2]) != Frame[3] ||
            Frame[0] + Frame[1] + Frame[2] + Frame[3] == 0) {
            ++iRecvPos;
            continue;
        }
        good = true;
        // Consumed before it is applied, so a frame whose handling fails is never applied twice.
        iRecvPos += 4;
        sink.OnGoodFrame(static_cast<TelemetryWord>(Frame[1] | (Frame[2] << 8)));
    }
    return good;
}

void FrameScanner::TrimScanned() {
    const int rest = iRecvCount - iRecvPos;
    std::memmove(RecvBuf.data(), RecvBuf.data() + iRecvPos, static_cast<std::size_t>(rest));
    iRecvCount = rest;
    iRecvPos = 0;
}

std::string ComposeInpLine(const std::uint8_t* raw, const std::array<std::uint8_t, 4>& frame) {
    std::string line = "Inp:[";
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            line += ' ';
        }
        AppendHex(line, raw[i]);
    }
    const bool ok = static_cast<std::uint8_t>(frame[1] + frame[2]) == frame[3];
    line += "] chsum:";
    line += ok ? "Ok" : "!!!Err!!!";
    const TelemetryWord word = static_cast<TelemetryWord>(frame[1] | (frame[2] << 8));
    const int kind = KindOf(word);
    AppendField(line, " code:", static_cast<unsigned>(kind));
    line += ' ';
    if (!ok) {
        return line;
    }
    switch (kind) {
    case 0: {
        const auto w = AsView<PositionWord>(word);
        AppendField(line, "symbol:", w.symbol);
        line += '/';
        line += static_cast<char>(65 + w.symbol);
        AppendField(line, " number:", w.number);
        break;
    }
    case 1: {
        const auto w = AsView<SignalWord>(word);
        AppendField(line, "sig:", w.sig);
        AppendField(line, " pp:", w.pp);
        AppendField(line, " mp:", w.mp);
        AppendField(line, " bp:", w.bp);
        break;
    }
    case 2: {
        const auto w = AsView<StateWord>(word);
        AppendField(line, "aver:", w.aver);
        AppendField(line, " state:", w.state);
        break;
    }
    case 3: {
        const auto w = AsView<ThresholdWord>(word);
        AppendField(line, "sensmp:", w.sensmp);
        AppendField(line, " senspp:", w.senspp);
        AppendField(line, " ctrl_pp_mp:", w.ctrl_pp_mp);
        break;
    }
    case 4: {
        const auto w = AsView<SetupWord>(word);
        AppendField(line, "dist:", w.dist);
        AppendField(line, " reg:", w.reg);
        AppendField(line, " sensbp:", w.sensbp);
        break;
    }
    case 5: {
        const auto w = AsView<SpeedWord>(word);
        AppendField(line, "vel_min:", w.vel_min);
        AppendField(line, " vel_max:", w.vel_max);
        AppendField(line, " amplif:", w.amplif);
        AppendField(line, " ref:", w.ref);
        AppendField(line, " dis:", w.dis);
        break;
    }
    case 6: {
        const auto w = AsView<IdentityWord>(word);
        AppendField(line, "dev:", w.dev);
        AppendField(line, " prog:", w.prog);
        AppendField(line, " letter:", w.letter);
        AppendField(line, " adr:", w.adr);
        AppendField(line, " cs:", w.cs);
        break;
    }
    default: {
        const auto w = AsView<SupplyWord>(word);
        AppendField(line, "pwr:", w.pwr);
        AppendField(line, " out:", w.out);
        AppendField(line, " freq:", w.freq);
        AppendField(line, " code:", 7);
        break;
    }
    }
    return line;
}

} // namespace detlink
