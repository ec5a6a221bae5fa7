// Detector behaviour: signal with noise and a slowly following average, state, command effects.
#include "DetectorModel.h"

#include "FrameEncoder.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {
constexpr double kSettingsChangeSeconds = 0.3;
constexpr double kAverageFollow = 1.0 / 16.0; // share of the gap `aver` closes per signal word
constexpr int kMaxLevel = 1023;

enum State { kNormal = 0, kAlarm = 1, kCalibration = 2, kMalfunction = 3, kSettingsChange = 4 };

std::string Hex(const Command& command) {
    char text[16];
    if (command.length == 3) {
        std::snprintf(text, sizeof text, "%02X %02X %02X", command.bytes[0], command.bytes[1],
                      command.bytes[2]);
    } else {
        std::snprintf(text, sizeof text, "%02X %02X", command.bytes[0], command.bytes[1]);
    }
    return text;
}

// Stores a new value and notes whether it differed.
void Set(int& field, int value, bool& changed) {
    changed = changed || field != value;
    field = value;
}
} // namespace

DetectorModel::DetectorModel(const DetectorFields& fields, int noise, bool refusePosition,
                             bool calibrating, unsigned seed)
    : fields(fields)
    , iNoise(noise)
    , bRefusePosition(refusePosition)
    , random(seed)
    , restingSig(fields.sig)
    , aver(fields.sig)
    , bCalibration(calibrating) {}

int DetectorModel::ThresholdLevel(int step) {
    return 100 + 28 * step;
}

std::uint16_t DetectorModel::TelemetryWord(int kind, const Conditions& conditions, double now) {
    const DetectorFields& f = fields;
    switch (kind) {
    case 0:
        return MakeWord(0, (f.symbol & 15) << 9 | (f.number & 127));
    case 1: {
        NextSignal(conditions);
        const int pp = f.sig > ThresholdLevel(f.senspp);
        const int mp = f.sig > ThresholdLevel(f.sensmp);
        const int bp = f.sig > ThresholdLevel(f.sensbp);
        return MakeWord(1, bp << 12 | mp << 11 | pp << 10 | (f.sig & 1023));
    }
    case 2:
        return MakeWord(2, (State(conditions, now) & 7) << 10 | (static_cast<int>(aver) & 1023));
    case 3:
        return MakeWord(3, (f.senspp & 31) << 8 | (f.ctrl_pp_mp & 1) << 5 | (f.sensmp & 31));
    case 4:
        return MakeWord(4, (f.sensbp & 31) << 8 | (f.reg & 3) << 5 | (f.dist & 31));
    case 5: {
        const int dis = conditions.dis >= 0 ? conditions.dis : f.dis;
        return MakeWord(5, (dis & 3) << 11 | (f.ref & 1) << 10 | (f.amplif & 3) << 8 |
                               (f.vel_max & 3) << 2 | (f.vel_min & 3));
    }
    case 6:
        return MakeWord(6, (f.cs & 1) << 12 | (f.adr & 15) << 8 | (f.letter & 3) << 6 |
                               (f.prog & 7) << 3 | (f.dev & 7));
    default:
        return MakeWord(7, (f.freq & 1) << 12 | (f.out & 3) << 10 | (f.pwr & 1023));
    }
}

void DetectorModel::NextSignal(const Conditions& conditions) {
    int level = std::max(restingSig, conditions.walkLevel);
    if (iNoise > 0) {
        level += std::uniform_int_distribution<int>(-iNoise, iNoise)(random);
    }
    fields.sig = std::clamp(level, 0, kMaxLevel);
    aver += (fields.sig - aver) * kAverageFollow;
}

int DetectorModel::State(const Conditions& conditions, double now) const {
    if (conditions.malfunction) {
        return kMalfunction;
    }
    if (now < settingsChangeUntil) {
        return kSettingsChange;
    }
    const bool anyThreshold = fields.sig > ThresholdLevel(fields.senspp) ||
                              fields.sig > ThresholdLevel(fields.sensmp) ||
                              fields.sig > ThresholdLevel(fields.sensbp);
    if (conditions.walkLevel >= 0 && anyThreshold) {
        return kAlarm;
    }
    return bCalibration ? kCalibration : kNormal;
}

std::string DetectorModel::Apply(const Command& command, double now) {
    const int b0 = command.bytes[0];
    const int b1 = command.bytes[1];
    const int code = command.Code();
    bool changed = false;
    char text[160];
    switch (code) {
    case 0: {
        const int state = (b1 >> 5) & 3;
        Set(fields.adr, b0 & 15, changed);
        Set(fields.ctrl_pp_mp, (b0 >> 4) & 1, changed);
        Set(fields.senspp, b1 & 31, changed);
        // Only 1 (enter) and 0 (leave) mean anything; other values leave the state alone.
        if (state <= 1 && bCalibration != (state == 1)) {
            bCalibration = state == 1;
            changed = true;
        }
        std::snprintf(text, sizeof text, "o_code:0 o_adr:%d o_ctrl_pp_mp:%d o_senspp:%d o_state:%d",
                      b0 & 15, (b0 >> 4) & 1, b1 & 31, state);
        break;
    }
    case 1:
        Set(fields.sensmp, b0 & 31, changed);
        Set(fields.sensbp, b1 & 31, changed);
        Set(fields.letter, (b1 >> 5) & 3, changed);
        std::snprintf(text, sizeof text, "o_code:1 o_sensmp:%d o_sensbp:%d o_letter:%d", b0 & 31,
                      b1 & 31, (b1 >> 5) & 3);
        break;
    case 2:
        Set(fields.vel_min, b0 & 3, changed);
        Set(fields.vel_max, (b0 >> 2) & 3, changed);
        Set(fields.dist, b1 & 31, changed);
        Set(fields.reg, (b1 >> 5) & 3, changed);
        std::snprintf(text, sizeof text, "o_code:2 o_vel_min:%d o_vel_max:%d o_dist:%d o_reg:%d",
                      b0 & 3, (b0 >> 2) & 3, b1 & 31, (b1 >> 5) & 3);
        break;
    default:
        if (!bRefusePosition) {
            Set(fields.symbol, (b0 >> 1) & 15, changed);
            Set(fields.number, b1 & 127, changed);
        }
        std::snprintf(text, sizeof text, "o_code:3 o_symbol:%d/%c o_number:%d%s", (b0 >> 1) & 15,
                      'A' + ((b0 >> 1) & 15), b1 & 127, bRefusePosition ? " refused" : "");
        break;
    }
    if (changed) {
        settingsChangeUntil = now + kSettingsChangeSeconds;
    }
    return Hex(command) + " " + text;
}

} // namespace sim
