// An INI file with the private-profile behaviour: every read looks at the file as it is now,
// every write reaches the disk at once and keeps every other line.
#pragma once

#include "records/WriteOutcome.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

struct IniEntry {
    std::string sSection;
    std::string sKey;
    std::string sValue;
};

class IniFile {
public:
    // Reads look at no more than this much of the file; a larger file is never rewritten,
    // so a write to it fails and leaves it whole.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;

    explicit IniFile(std::string path);

    const std::string& Path() const { return sPath; }

    // The value of the key in the first section of that name (names match without regard to
    // case), blanks around it and one pair of enclosing quotes removed; nothing when the file,
    // the section or the key is missing. The first of duplicate keys wins. Only a regular file
    // is read: a FIFO, a folder, a device or a socket in its place reads as missing at once, and
    // a write to it fails without touching it.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // Sets the key and replaces the file. A new key goes after the last key of its section, a
    // new section at the end; comments, unknown lines, their order and their bytes stay, line
    // ends included. A new file is written with CR LF.
    WriteOutcome WriteString(std::string_view section, std::string_view key,
                             std::string_view value);
    // The same for several keys in order, with a single replacement of the file.
    WriteOutcome WriteStrings(const std::vector<IniEntry>& entries);

private:
    std::string sPath;
};

} // namespace records
