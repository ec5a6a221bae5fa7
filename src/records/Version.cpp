// Captions and file names; the version string itself is the platform's (VersionString*.cpp).
#include "records/Version.h"

namespace records {

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
