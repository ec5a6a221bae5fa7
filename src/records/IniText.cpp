// Parsing and editing of INI text with the private-profile rules.
#include "records/IniText.h"

#include <algorithm>

namespace records {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

IniText::IniText(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t end = bytes.find_first_of("\r\n");
        const std::string_view text = bytes.substr(0, end);
        bytes.remove_prefix(text.size());
        const size_t endSize = bytes.starts_with("\r\n") ? 2 : std::min<size_t>(bytes.size(), 1);
        lines.push_back(
            Classify(std::string(text), std::string(bytes.substr(0, endSize)), lines.empty()));
        bytes.remove_prefix(endSize);
    }
}

IniText::Line IniText::Classify(std::string text, std::string end, bool first) {
    Line line;
    line.sText = std::move(text);
    line.sEnd = std::move(end);
    std::string_view view = line.sText;
    if (first && view.starts_with(kByteOrderMark)) {
        view.remove_prefix(kByteOrderMark.size());
    }
    view = Trim(view);
    if (view.starts_with('[')) {
        const std::string_view inner = view.substr(1, view.find(']') - 1);
        line.eKind = Line::Kind::Section;
        line.sName = Trim(inner);
        return line;
    }
    const size_t eq = view.find('=');
    if (eq == std::string_view::npos) {
        return line;
    }
    line.eKind = Line::Kind::Key;
    line.sName = Trim(view.substr(0, eq));
    line.sValue = Trim(view.substr(eq + 1));
    return line;
}

std::string IniText::FileLineEnd() const {
    return lines.empty() || lines.front().sEnd.empty() ? "\r\n" : lines.front().sEnd;
}

void IniText::Insert(size_t at, std::string text) {
    Line line = Classify(std::move(text), FileLineEnd(), at == 0);
    // A file that ended without a line end still does: the old last line is ended instead.
    if (at == lines.size() && at > 0 && lines.back().sEnd.empty()) {
        std::swap(line.sEnd, lines.back().sEnd);
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

size_t IniText::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].eKind == Line::Kind::Section && SameName(lines[i].sName, section)) {
            return i;
        }
    }
    return lines.size();
}

size_t IniText::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines.size() && lines[i].eKind != Line::Kind::Section) {
        ++i;
    }
    return i;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
    const size_t header = FindSection(section);
    if (header == lines.size()) {
        return std::nullopt;
    }
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        if (lines[i].eKind == Line::Kind::Key && SameName(lines[i].sName, key)) {
            const std::string& v = lines[i].sValue;
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
                return v.substr(1, v.size() - 2);
            }
            return v;
        }
    }
    return std::nullopt;
}

bool IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.starts_with('[')) {
        return false;
    }
    size_t header = FindSection(section);
    if (header == lines.size()) {
        // Appended rather than "[" + name: GCC 12 at -O3 reads the latter as overlapping copies.
        Insert(lines.size(), std::string("[").append(section).append("]"));
    }
    const size_t end = SectionEnd(header);
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < end; ++i) {
        if (lines[i].eKind != Line::Kind::Key) {
            continue;
        }
        if (SameName(lines[i].sName, key)) {
            // The stored spelling of the name stays; only the value changes.
            lines[i] = Classify(lines[i].sName + "=" + std::string(value), lines[i].sEnd, false);
            return true;
        }
        insertAt = i + 1;
    }
    Insert(insertAt, std::string(key) + "=" + std::string(value));
    return true;
}

std::string IniText::Bytes() const {
    std::string out;
    for (const Line& line : lines) {
        out += line.sText;
        out += line.sEnd;
    }
    return out;
}

} // namespace records
