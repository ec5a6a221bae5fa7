// The line model behind IniFile: parsing, lookup and editing of INI text in memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

class IniText {
public:
    // CR LF and LF line ends both read; a UTF-8 byte-order mark before the first line is
    // skipped when lines are interpreted and kept when they are written back.
    explicit IniText(std::string_view bytes);

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // False when the names or the value cannot be stored on one line.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    std::string Bytes() const;

private:
    struct Line {
        std::string sText;
        enum class Kind { Other, Section, Key } eKind = Kind::Other;
        std::string sName;  // section or key name, trimmed
        std::string sValue; // key value, trimmed
    };

    static Line Classify(std::string text, bool first);
    // Index of the first section's header, or size() when absent.
    std::size_t FindSection(std::string_view section) const;
    // One past the section's last line: the next header or the end.
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<Line> lines;
};

} // namespace records
