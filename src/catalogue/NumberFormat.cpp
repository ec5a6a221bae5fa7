// Number texts in the user's notation, built and read without the C library's locale.
#include "catalogue/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace catalogue {

namespace {

// Room for the longest fixed-notation double (about 330 characters for subnormals).
constexpr int kTextRoom = 400;

// Digits before and after the point of a finite value, rounded half away from zero on its
// shortest exact decimal text, so a value typed as 0.25 rounds to 0.3 as the operator expects
// rather than to the binary neighbour's 0.2.
struct DecimalText {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

DecimalText RoundedDecimal(double value, int decimals) {
    char buffer[kTextRoom];
    const auto result = std::to_chars(buffer, buffer + kTextRoom, value, std::chars_format::fixed);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    DecimalText out;
    if (!text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    std::string digits(text.substr(0, point));
    std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
    const auto kept = static_cast<std::size_t>(decimals);

    bool roundUp = false;
    if (fraction.size() > kept) {
        roundUp = fraction[kept] >= '5';
        fraction.resize(kept);
    } else {
        fraction.append(kept - fraction.size(), '0');
    }
    digits += fraction;
    if (roundUp) {
        auto pos = digits.size();
        while (pos > 0 && digits[pos - 1] == '9') {
            digits[--pos] = '0';
        }
        if (pos == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[pos - 1];
        }
    }
    const std::size_t newWhole = digits.size() - kept;
    out.whole = digits.substr(0, newWhole);
    out.fraction = digits.substr(newWhole);
    return out;
}

bool IsAllZeros(const DecimalText& text) {
    return text.whole.find_first_not_of('0') == std::string::npos &&
           text.fraction.find_first_not_of('0') == std::string::npos;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-INF" : "INF";
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A single leading '+' is accepted, as the operator may type one; from_chars does not take it.
std::string_view DropPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            return {};
        }
    }
    return text;
}

} // namespace

std::string FormatUpTo4Decimals(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    DecimalText text = RoundedDecimal(value, 4);
    if (IsAllZeros(text)) {
        return "0";
    }
    while (!text.fraction.empty() && text.fraction.back() == '0') {
        text.fraction.pop_back();
    }
    std::string out = text.negative ? "-" : "";
    if (text.whole != "0") {
        out += text.whole;
    }
    if (!text.fraction.empty()) {
        out += decimalSeparator;
        out += text.fraction;
    }
    return out;
}

std::string FormatWhole(double value) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const DecimalText text = RoundedDecimal(value, 0);
    if (IsAllZeros(text)) {
        return "";
    }
    return (text.negative ? "-" : "") + text.whole;
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const DecimalText text = RoundedDecimal(value, decimals < 0 ? 0 : decimals);
    // A value that rounds to zero reads "0,0", never "-0,0".
    std::string out = text.negative && !IsAllZeros(text) ? "-" : "";
    out += text.whole;
    if (!text.fraction.empty()) {
        out += decimalSeparator;
        out += text.fraction;
    }
    return out;
}

std::string FormatGeneral(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    if (value == 0) {
        return "0";
    }
    char buffer[kTextRoom];
    const auto result =
        std::to_chars(buffer, buffer + kTextRoom, value, std::chars_format::general, 15);
    std::string out(buffer, result.ptr);
    for (char& c : out) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return out;
}

std::optional<double> ParseReal(std::string_view text, char decimalSeparator) {
    text = DropPlus(TrimBlanks(text));
    if (text.empty()) {
        return std::nullopt;
    }
    // from_chars reads only '.', so the user's separator is swapped in and a '.' that is not
    // the user's separator is refused rather than silently read.
    std::string local(text);
    for (char& c : local) {
        if (c == '.' && decimalSeparator != '.') {
            return std::nullopt;
        }
        if (c == decimalSeparator) {
            c = '.';
        }
    }
    double value = 0;
    const auto result = std::from_chars(local.data(), local.data() + local.size(), value);
    if (result.ec != std::errc() || result.ptr != local.data() + local.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseInteger(std::string_view text) {
    text = DropPlus(TrimBlanks(text));
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace catalogue
