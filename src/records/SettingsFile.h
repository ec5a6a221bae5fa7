// The settings file's keys read into and written from the Properties settings, the two
// correspondence tables and the remembered port. A value that is missing or does not parse
// gives its default, without a message.
#pragma once

#include "catalogue/CorrespondenceTables.h"
#include "records/IniFile.h"
#include "records/Settings.h"

#include <string>

namespace records {

class SettingsFile {
public:
    // Floats are read and written with the user's decimal separator.
    SettingsFile(std::string path, char decimalSeparator);

    // Koef, Filter and Display. `current` gives the fall-backs: the controls' present state.
    // A list position outside its list reads as -1; the threshold mode is clamped into -1..3.
    PropertySettings ReadProperties(const PropertySettings& current = {}) const;
    // Every threshold cell from PP, MP, BP ("#.####") and Sens; headings and zone lengths too.
    void ReadTables(catalogue::SensitivityTable& sensitivity,
                    catalogue::ZoneLengthTable& zoneLength) const;
    int ReadComPort() const;
    // Whether the site book is kept: on unless the file says 0.
    bool ReadSiteBookKept() const;

    // The start-up's reading, in its order: the coefficients into catalogue::Kdc and Urd, the
    // properties, the tables and the remembered port.
    StartUpSettings LoadAtStartUp(catalogue::SensitivityTable& sensitivity,
                                  catalogue::ZoneLengthTable& zoneLength) const;

    // The Properties Apply: Koef, Filter, SignalDuringAlarm, the thresholds of every step as
    // the tables' readers give them, the zone thresholds, ThresholdExcess, in that order and
    // in one replacement of the file. On success the cells show the values read back.
    WriteOutcome WriteProperties(const PropertySettings& settings,
                                 catalogue::SensitivityTable& sensitivity,
                                 catalogue::ZoneLengthTable& zoneLength);
    // The port on which a detector was identified.
    WriteOutcome WriteComPort(int comPort);

    const std::string& Path() const { return ini.Path(); }

private:
    double ReadFloat(const char* section, const std::string& key, double fallback) const;
    int ReadInteger(const char* section, const std::string& key, int fallback) const;

    IniFile ini;
    char cDecimal;
};

} // namespace records
