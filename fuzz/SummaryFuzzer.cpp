// Fuzzes the walk-test summary's reader: a summary's text read, then written back as the
// recording writes a summary and read again.
//
// Input: the summary's bytes.
#include "records/RecordNames.h"
#include "records/SummaryText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool OneLine(std::string_view text) {
    return text.find('\n') == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> counters = records::SummaryCounterTexts();
    const auto isCounter = [](std::string_view line) {
        return std::any_of(counters.begin(), counters.end(),
                           [&](const std::string& counter) { return line.starts_with(counter); });
    };

    const records::SummaryText summary =
        records::ReadSummaryText(std::string(reinterpret_cast<const char*>(data), size));
    // Each piece is from one line, and the line's start says which kind it is.
    for (const std::string& picture : summary.pictures) {
        Require(!picture.empty() && OneLine(picture));
        Require(!isCounter(picture) && !picture.starts_with(records::kMissingPrefix));
    }
    for (const auto& [counter, value] : summary.counts) {
        Require(std::find(counters.begin(), counters.end(), counter) != counters.end());
        Require(OneLine(value));
    }
    for (const auto& [picture, error] : summary.notSaved) {
        Require(picture.ends_with(records::kPictureEnding) && OneLine(picture) && OneLine(error));
    }

    // What was read, written as the recording writes it, reads the same.
    std::string written;
    for (const std::string& picture : summary.pictures) {
        written += picture + "\r\n";
    }
    for (const auto& [counter, value] : summary.counts) {
        written += counter + value + "\r\n";
    }
    for (const auto& [picture, error] : summary.notSaved) {
        written += records::MissingPictureLine(picture, error) + "\r\n";
    }
    const records::SummaryText reread = records::ReadSummaryText(written);
    Require(reread.pictures == summary.pictures);
    Require(reread.counts == summary.counts);
    Require(reread.notSaved == summary.notSaved);
    return 0;
}
