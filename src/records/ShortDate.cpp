// Short-date patterns filled from a day-counted date-time.
#include "records/ShortDate.h"

#include "catalogue/DateTime.h"

namespace records {
namespace {

std::string Padded(int value, int width) {
    std::string digits = std::to_string(value);
    while (static_cast<int>(digits.size()) < width) {
        digits.insert(digits.begin(), '0');
    }
    return digits;
}

} // namespace

std::string FormatShortDate(double days, std::string_view pattern) {
    const catalogue::DateTimeParts parts = catalogue::DecodeDateTime(days);
    std::string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) {
            ++run;
        }
        if (c == '\'') {
            if (run >= 2) {
                out.append(run / 2, '\'');
                i += run / 2 * 2;
                continue;
            }
            const size_t close = pattern.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(i + 1, end - i - 1));
            i = end == pattern.size() ? end : end + 1;
            continue;
        }
        if (c == 'd') {
            out += run == 1 ? std::to_string(parts.day) : Padded(parts.day, 2);
        } else if (c == 'M') {
            out += run == 1 ? std::to_string(parts.month) : Padded(parts.month, 2);
        } else if (c == 'y') {
            out += run == 2 ? Padded(parts.year % 100, 2) : Padded(parts.year, 4);
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

} // namespace records
