// Version and file names; MIRELUND_VERSION comes from the build.
#include "records/Version.h"

namespace records {

std::string GetVersionString() {
#ifdef MIRELUND_VERSION
    const std::string version = MIRELUND_VERSION;
    return version.empty() ? "0.0" : version;
#else
    return "0.0";
#endif
}

std::string BaseCaption() {
    return std::string(kApplicationTitle) + " " + GetVersionString();
}

std::string TrafficLogFileName() {
    return std::string(kBaseName) + ".log";
}

std::string SettingsFilePath() {
#ifdef _WIN32
    return std::string(".\\") + kBaseName + ".ini";
#else
    return std::string("./") + kBaseName + ".ini";
#endif
}

} // namespace records
