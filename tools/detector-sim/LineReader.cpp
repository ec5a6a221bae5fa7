// Splitting a stream into bounded lines.
#include "LineReader.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {
constexpr std::size_t kBlockSize = 64 * 1024;
} // namespace

LineReader::LineReader(std::streambuf& text)
    : text(text)
    , block(kBlockSize) {}

std::optional<TextLine> LineReader::Next() {
    line.clear();
    bool tooLong = false;
    bool started = false;
    while (begin < end || Fill()) {
        started = true;
        const char* from = block.data() + begin;
        const auto* lineEnd = static_cast<const char*>(std::memchr(from, '\n', end - begin));
        const std::size_t length = lineEnd ? static_cast<std::size_t>(lineEnd - from) : end - begin;
        tooLong = tooLong || line.size() + length > kLongestLine;
        if (tooLong) {
            line.clear();
        } else {
            line.append(from, length);
        }
        begin += length + (lineEnd ? 1 : 0);
        if (lineEnd) {
            break;
        }
    }
    if (!started) {
        return std::nullopt;
    }
    std::string_view kept = line;
    if (!kept.empty() && kept.back() == '\r') {
        kept.remove_suffix(1);
    }
    return TextLine{++number, kept, tooLong};
}

// Takes only what the source has at hand, so a text still being written hands over each line as
// it comes instead of waiting for a full block.
bool LineReader::Fill() {
    begin = end = 0;
    if (std::streambuf::traits_type::eq_int_type(text.sgetc(),
                                                 std::streambuf::traits_type::eof())) {
        return false;
    }
    const std::streamsize ready =
        std::clamp<std::streamsize>(text.in_avail(), 1, static_cast<std::streamsize>(block.size()));
    end = static_cast<std::size_t>(text.sgetn(block.data(), ready));
    return end > 0;
}

} // namespace sim
