// Command-line parsing for the simulator.
#include "SimOptions.h"

#include "LineReader.h"
#include "RegularFile.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <getopt.h>
#include <iterator>
#include <optional>
#include <string_view>

namespace sim {

namespace {

enum Option {
    kPort = 256,
    kPortsDir,
    kDevice,
    kRate,
    kDuration,
    kNoise,
    kRefusePosition,
    kIncompleteCycle,
    kCalibrating,
    kSeed,
    kCommandLog,
    kEventLog,
    kScript,
    kEvent,
    kPreset,
    kReplay,
    kSpeed,
    kHelp,
    kFieldBase = 512,
};

struct FieldOption {
    const char* name;
    int DetectorFields::*member;
    int max;
};

const FieldOption kFields[] = {
    {"symbol", &DetectorFields::symbol, 15},  {"number", &DetectorFields::number, 127},
    {"sig", &DetectorFields::sig, 1023},      {"senspp", &DetectorFields::senspp, 31},
    {"sensmp", &DetectorFields::sensmp, 31},  {"ctrl-pp-mp", &DetectorFields::ctrl_pp_mp, 1},
    {"dist", &DetectorFields::dist, 31},      {"reg", &DetectorFields::reg, 3},
    {"sensbp", &DetectorFields::sensbp, 31},  {"vel-min", &DetectorFields::vel_min, 3},
    {"vel-max", &DetectorFields::vel_max, 3}, {"amplif", &DetectorFields::amplif, 3},
    {"ref", &DetectorFields::ref, 1},         {"dis", &DetectorFields::dis, 3},
    {"dev", &DetectorFields::dev, 7},         {"prog", &DetectorFields::prog, 7},
    {"letter", &DetectorFields::letter, 3},   {"adr", &DetectorFields::adr, 15},
    {"cs", &DetectorFields::cs, 1},           {"pwr", &DetectorFields::pwr, 1023},
    {"out", &DetectorFields::out, 3},         {"freq", &DetectorFields::freq, 1},
};

const char* const kUsage =
    "usage: detector-sim [options]\n"
    "  --port N            publish as comN (default: lowest free from 200)\n"
    "  --ports-dir DIR     port directory (default $MIRELUND_PORTS or\n"
    "                      $XDG_CONFIG_HOME/mirelund/ports)\n"
    "  --device PATH       use an existing serial device instead of a pseudo-terminal\n"
    "  --rate FPS          telemetry frames per second, 14..1440 (default 200)\n"
    "  --duration S        exit after S seconds, 0..1e9 (default 0: when stopped)\n"
    "  --noise N           signal noise amplitude in counts, 0..1023 (default 3)\n"
    "  --refuse-position   ignore position commands\n"
    "  --incomplete-cycle  never send the state word, so no full cycle completes\n"
    "  --calibrating       start in Calibration, as a detector left mid-alignment\n"
    "  --preset NAME       auto3 (reg 3), special1 (reg 1), special2 (reg 1, HL only),\n"
    "                      mismatched (thresholds 8, 12, 16, apart from the Auto table)\n"
    "  --seed N            noise seed\n"
    "  --command-log FILE  write one line per accepted command\n"
    "  --event-log FILE    write one line per scenario event as it starts\n"
    "  --script FILE       scenario events, one per line\n"
    "  --event LINE        one scenario event: \"<start> <action> <duration> [value]\",\n"
    "                      action walk|malfunction|dis|silence|noise|corrupt\n"
    "  --replay FILE       play the \"Inp:\" lines of a traffic log instead of telemetry\n"
    "  --speed N           replay N times faster, 0.01..1000 (default 1)\n"
    "  --symbol --number --sig --senspp --sensmp --ctrl-pp-mp --dist --reg --sensbp\n"
    "  --vel-min --vel-max --amplif --ref --dis --dev --prog --letter --adr --cs --pwr\n"
    "  --out --freq VALUE  detector fields\n";

// A numeric option's allowed values, inclusive; the check and its message both read it.
template <typename Number> struct Range {
    Number min;
    Number max;
};

constexpr Range<int> kPortRange{1, 255}; // the COM numbers a port directory can name
// At least one full cycle of the eight kinds a second, at most what the line carries.
constexpr Range<double> kRateRange{14, kMaxFrameRate};
constexpr Range<double> kDurationRange{0, 1e9}; // 0: until signalled
constexpr Range<int> kNoiseRange{0, 1023};      // the signal word's ten bits
constexpr Range<int> kSeedRange{0, 1 << 30};
constexpr Range<double> kSpeedRange{0.01, 1000};
// Each detector field runs from 0 to the largest value its width holds (kFields).

std::string Expected(Range<int> range) {
    return "a whole number from " + std::to_string(range.min) + " to " + std::to_string(range.max);
}

std::string NumberText(double value) {
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, result.ptr);
}

std::string Expected(Range<double> range) {
    return "a number from " + NumberText(range.min) + " to " + NumberText(range.max);
}

// The whole text, and nothing beyond the range: a value strtol or strtod had to clip is refused.
bool ParseNumber(const char* text, Range<int> range, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || parsed < range.min ||
        parsed > range.max) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

// As above, and never NaN or an infinity, which no comparison with the range would stop.
bool ParseNumber(const char* text, Range<double> range, double& value) {
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(parsed) ||
        !(parsed >= range.min && parsed <= range.max)) {
        return false;
    }
    value = parsed;
    return true;
}

bool AddEvent(std::string_view line, SimOptions& options, std::string& message) {
    std::string error;
    if (auto event = ParseEvent(std::string(line), error)) {
        options.scenario.Add(*event);
        return true;
    }
    message = error.empty() ? "" : error + "\n";
    return error.empty();
}

bool ReadScript(const std::string& path, SimOptions& options, std::string& message) {
    RegularFile file;
    std::string reason;
    if (!file.Open(path, reason)) {
        message = "cannot read script " + path + ": " + reason + "\n";
        return false;
    }
    LineReader lines(file);
    while (const std::optional<TextLine> line = lines.Next()) {
        if (line->tooLong) {
            message = "script " + path + " line " + std::to_string(line->number) +
                      ": longer than " + std::to_string(LineReader::kLongestLine) + " bytes\n";
            return false;
        }
        if (!AddEvent(line->text, options, message)) {
            return false;
        }
    }
    if (!file.ReadError().empty()) {
        message = "cannot read script " + path + ": " + file.ReadError() + "\n";
        return false;
    }
    return true;
}

bool ApplyPreset(const std::string& name, DetectorFields& fields) {
    if (name == "auto3") {
        fields.reg = 3;
    } else if (name == "special1" || name == "special2") {
        fields.reg = 1;
        fields.ctrl_pp_mp = name == "special2" ? 1 : 0;
    } else if (name == "mismatched") {
        // Three different steps, which no zone of the Auto table gives all at once.
        fields.senspp = 8;
        fields.sensmp = 12;
        fields.sensbp = 16;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseOptions(int argc, char** argv, SimOptions& options, std::string& message) {
    std::vector<option> longOptions = {
        {"port", required_argument, nullptr, kPort},
        {"ports-dir", required_argument, nullptr, kPortsDir},
        {"device", required_argument, nullptr, kDevice},
        {"rate", required_argument, nullptr, kRate},
        {"duration", required_argument, nullptr, kDuration},
        {"noise", required_argument, nullptr, kNoise},
        {"refuse-position", no_argument, nullptr, kRefusePosition},
        {"incomplete-cycle", no_argument, nullptr, kIncompleteCycle},
        {"calibrating", no_argument, nullptr, kCalibrating},
        {"seed", required_argument, nullptr, kSeed},
        {"command-log", required_argument, nullptr, kCommandLog},
        {"event-log", required_argument, nullptr, kEventLog},
        {"script", required_argument, nullptr, kScript},
        {"event", required_argument, nullptr, kEvent},
        {"preset", required_argument, nullptr, kPreset},
        {"replay", required_argument, nullptr, kReplay},
        {"speed", required_argument, nullptr, kSpeed},
        {"help", no_argument, nullptr, kHelp},
    };
    const int fieldCount = static_cast<int>(std::size(kFields));
    for (int i = 0; i < fieldCount; ++i) {
        longOptions.push_back({kFields[i].name, required_argument, nullptr, kFieldBase + i});
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    optind = 1;
    int opt;
    int longIndex = 0;
    while ((opt = getopt_long(argc, argv, "", longOptions.data(), &longIndex)) != -1) {
        const std::string arg = optarg ? optarg : "";
        bool ok = true;
        std::string expected; // what the option takes, for the message when its value is refused
        const auto number = [&](auto range, auto& value) {
            expected = Expected(range);
            return ParseNumber(optarg, range, value);
        };
        int seed = 0;
        switch (opt) {
        case kPort:
            ok = number(kPortRange, options.comNumber);
            break;
        case kPortsDir:
            options.portsDir = arg;
            break;
        case kDevice:
            options.device = arg;
            break;
        case kRate:
            ok = number(kRateRange, options.rate);
            break;
        case kDuration:
            ok = number(kDurationRange, options.duration);
            break;
        case kNoise:
            ok = number(kNoiseRange, options.noise);
            break;
        case kRefusePosition:
            options.refusePosition = true;
            break;
        case kIncompleteCycle:
            options.incompleteCycle = true;
            break;
        case kCalibrating:
            options.calibrating = true;
            break;
        case kSeed:
            ok = number(kSeedRange, seed);
            options.seed = static_cast<unsigned>(seed);
            break;
        case kCommandLog:
            options.commandLog = arg;
            break;
        case kEventLog:
            options.eventLog = arg;
            break;
        case kScript:
            if (!ReadScript(arg, options, message)) {
                return false;
            }
            break;
        case kEvent:
            if (!AddEvent(arg, options, message)) {
                return false;
            }
            break;
        case kPreset:
            expected = "auto3, special1, special2 or mismatched";
            ok = ApplyPreset(arg, options.fields);
            break;
        case kReplay:
            options.replay = arg;
            break;
        case kSpeed:
            ok = number(kSpeedRange, options.speed);
            break;
        case kHelp:
            options.help = true;
            message = kUsage;
            return false;
        default:
            if (opt >= kFieldBase && opt < kFieldBase + fieldCount) {
                const FieldOption& field = kFields[opt - kFieldBase];
                ok = number(Range<int>{0, field.max}, options.fields.*field.member);
            } else {
                message = kUsage;
                return false;
            }
        }
        if (!ok) {
            message = "bad value \"" + arg + "\" for --" + longOptions[longIndex].name +
                      (expected.empty() ? "" : ": expected " + expected) + "\n" + kUsage;
            return false;
        }
    }
    if (optind < argc) {
        message = std::string("unexpected argument ") + argv[optind] + "\n" + kUsage;
        return false;
    }
    return true;
}

} // namespace sim
