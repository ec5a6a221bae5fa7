// Command-line parsing for the simulator.
#include "SimOptions.h"

#include <cstdlib>
#include <fstream>
#include <getopt.h>

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
    "  --duration S        exit after S seconds\n"
    "  --noise N           signal noise amplitude in counts (default 3)\n"
    "  --refuse-position   ignore position commands\n"
    "  --incomplete-cycle  never send the state word, so no full cycle completes\n"
    "  --calibrating       start in Calibration, as a detector left mid-alignment\n"
    "  --preset NAME       auto3 (reg 3), special1 (reg 1), special2 (reg 1, HL only)\n"
    "  --seed N            noise seed\n"
    "  --command-log FILE  write one line per accepted command\n"
    "  --event-log FILE    write one line per scenario event as it starts\n"
    "  --script FILE       scenario events, one per line\n"
    "  --event LINE        one scenario event: \"<start> <action> <duration> [value]\",\n"
    "                      action walk|malfunction|dis|silence|noise|corrupt\n"
    "  --replay FILE       play the \"Inp:\" lines of a traffic log instead of telemetry\n"
    "  --speed N           replay N times faster (default 1)\n"
    "  --symbol --number --sig --senspp --sensmp --ctrl-pp-mp --dist --reg --sensbp\n"
    "  --vel-min --vel-max --amplif --ref --dis --dev --prog --letter --adr --cs --pwr\n"
    "  --out --freq VALUE  detector fields\n";

bool ParseInt(const char* text, int min, int max, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < min || parsed > max) {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

bool ParseDouble(const char* text, double min, double max, double& value) {
    char* end = nullptr;
    const double parsed = std::strtod(text, &end);
    if (end == text || *end != '\0' || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

bool AddEvent(const std::string& line, SimOptions& options, std::string& message) {
    std::string error;
    if (auto event = ParseEvent(line, error)) {
        options.scenario.Add(*event);
        return true;
    }
    message = error;
    return error.empty();
}

bool ReadScript(const std::string& path, SimOptions& options, std::string& message) {
    std::ifstream in(path);
    if (!in) {
        message = "cannot read script " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!AddEvent(line, options, message)) {
            return false;
        }
    }
    return true;
}

bool ApplyPreset(const std::string& name, DetectorFields& fields) {
    if (name == "auto3") {
        fields.reg = 3;
    } else if (name == "special1" || name == "special2") {
        fields.reg = 1;
        fields.ctrl_pp_mp = name == "special2" ? 1 : 0;
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
        int seed = 0;
        switch (opt) {
        case kPort:
            ok = ParseInt(optarg, 1, 255, options.comNumber);
            break;
        case kPortsDir:
            options.portsDir = arg;
            break;
        case kDevice:
            options.device = arg;
            break;
        case kRate:
            ok = ParseDouble(optarg, 14, kMaxFrameRate, options.rate);
            break;
        case kDuration:
            ok = ParseDouble(optarg, 0, 1e9, options.duration);
            break;
        case kNoise:
            ok = ParseInt(optarg, 0, 1023, options.noise);
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
            ok = ParseInt(optarg, 0, 1 << 30, seed);
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
            ok = ApplyPreset(arg, options.fields);
            break;
        case kReplay:
            options.replay = arg;
            break;
        case kSpeed:
            ok = ParseDouble(optarg, 0.01, 1000, options.speed);
            break;
        case kHelp:
            options.help = true;
            message = kUsage;
            return false;
        default:
            if (opt >= kFieldBase && opt < kFieldBase + fieldCount) {
                const FieldOption& field = kFields[opt - kFieldBase];
                ok = ParseInt(optarg, 0, field.max, options.fields.*field.member);
            } else {
                message = kUsage;
                return false;
            }
        }
        if (!ok) {
            message =
                "bad value \"" + arg + "\" for --" + longOptions[longIndex].name + "\n" + kUsage;
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
