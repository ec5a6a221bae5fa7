// The line model behind IniFile: parsing, lookup and editing of INI text in memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

class IniText {
public:
    // CR LF, LF and a lone CR each end a line; every line keeps its own end, so that the bytes
    // of lines no edit touches are written back as they were read. A UTF-8 byte-order mark
    // before the first line is skipped when lines are interpreted and kept likewise.
    explicit IniText(std::string_view bytes);

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // False when the names or the value cannot be stored on one line. A changed line keeps its
    // end; a new line is ended as the first line is (CR LF in a file without line ends), and
    // after an unended last line it becomes the unended last line.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    std::string Bytes() const;

private:
    struct Line {
        std::string sText;
        std::string sEnd; // "\r\n", "\n", "\r", or empty on an unended last line
        enum class Kind { Other, Section, Key } eKind = Kind::Other;
        std::string sName;  // section or key name, trimmed
        std::string sValue; // key value, trimmed
    };

    static Line Classify(std::string text, std::string end, bool first);
    std::string FileLineEnd() const;
    void Insert(std::size_t at, std::string text);
    // Index of the first section's header, or size() when absent.
    std::size_t FindSection(std::string_view section) const;
    // One past the section's last line: the next header or the end.
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<Line> lines;
};

} // namespace records
