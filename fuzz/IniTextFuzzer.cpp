// Fuzzes the settings file's text: parse, look up, set one key, write back and parse again.
//
// Input: the file's bytes. The names looked up are the file's own "[section]" and "key="
// texts plus a few of the tool's; the last byte chooses which key is set and to what.
#include "records/IniText.h"
#include "records/SettingsKeys.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kMaxNames = 8;

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::string_view TrimBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameAscii(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

void AddName(std::vector<std::string>& names, std::string_view name) {
    if (names.size() < kMaxNames) {
        names.emplace_back(name);
    }
}

struct Names {
    std::vector<std::string> sections{records::keys::kKoef, records::keys::kConnection, "New"};
    std::vector<std::string> keys{records::keys::kKdc, records::keys::kComPort};
    // Besides the file's own: blanks and quotes the reader strips, and texts Set refuses.
    std::vector<std::string> values{"7", " padded ", "\"quoted\"", "a=b", "[x]", "two\nlines"};
};

// Candidate names, cut from the text by a rough reading of its lines: only queries, so a
// name that is not really in the file costs nothing.
Names CollectNames(std::string_view text) {
    Names names;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.starts_with('[')) {
            AddName(names.sections, TrimBlanks(line.substr(1, line.find(']') - 1)));
        } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
            AddName(names.keys, TrimBlanks(line.substr(0, eq)));
            AddName(names.values, line.substr(eq + 1));
        }
    }
    return names;
}

// A value the reader gives back as written: no outer blanks, no enclosing quotes.
bool ReadsBackAsWritten(std::string_view value) {
    if (TrimBlanks(value) != value) {
        return false;
    }
    return value.size() < 2 || (value.front() != '"' && value.front() != '\'') ||
           value.back() != value.front();
}

std::vector<std::optional<std::string>> ReadAll(const records::IniText& ini, const Names& names) {
    std::vector<std::optional<std::string>> values;
    for (const std::string& section : names.sections) {
        for (const std::string& key : names.keys) {
            values.push_back(ini.Find(section, key));
        }
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Names names = CollectNames(bytes);
    const unsigned choice = size > 0 ? data[size - 1] : 0;
    const std::string& section = names.sections[choice % names.sections.size()];
    const std::string& key = names.keys[(choice / 8) % names.keys.size()];
    const std::string& value = names.values[(choice / 64 + size) % names.values.size()];

    records::IniText ini(bytes);
    const std::string written = ini.Bytes();
    const auto before = ReadAll(ini, names);

    const bool stored = ini.Set(section, key, value);
    if (stored) {
        const std::optional<std::string> read = ini.Find(section, key);
        Require(read.has_value());
        Require(!ReadsBackAsWritten(value) || *read == value);
    } else {
        Require(ini.Bytes() == written);
    }

    // Written back and read again, every name reads as it did in memory, and only the key
    // just set reads differently from the original text.
    const records::IniText reread(ini.Bytes());
    const auto inMemory = ReadAll(ini, names);
    const auto after = ReadAll(reread, names);
    std::size_t i = 0;
    for (const std::string& s : names.sections) {
        for (const std::string& k : names.keys) {
            Require(after[i] == inMemory[i]);
            const bool target = stored && SameAscii(s, section) && SameAscii(k, key);
            Require(target || after[i] == before[i]);
            ++i;
        }
    }
    return 0;
}
