// The program's version, captions and the names of the files it keeps in the current directory.
#pragma once

#include <string>

namespace records {

inline constexpr const char* kBaseName = "Mirelund";
inline constexpr const char* kApplicationTitle =
    "Microwave intrusion - detector programming software";

// The version compiled in from the project's version, "0.0" when the build gives none.
std::string GetVersionString();
// The application title, one blank and the version.
std::string BaseCaption();

// The traffic log: the bare base name with ".log", so it lies in the current directory.
std::string TrafficLogFileName();
// The settings file: the current directory's base name with ".ini" (".\Mirelund.ini" on
// Windows), never the executable's folder.
std::string SettingsFilePath();

} // namespace records
