// Recording names built from the day-counted local time, 24-hour clock, leading zeros.
#include "records/RecordNames.h"

#include "catalogue/DateTime.h"

#include <cstdio>

namespace records {
namespace {

std::string Stamp(double now, bool withMilliseconds) {
    const catalogue::DateTimeParts p = catalogue::DecodeDateTime(now);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d'%02d'%02d", p.year, p.month, p.day,
                  p.hour, p.minute, p.second);
    std::string stamp = text;
    if (withMilliseconds) {
        std::snprintf(text, sizeof text, ".%03d", p.millisecond);
        stamp += text;
    }
    return stamp;
}

constexpr std::string_view kSummaryEnding = " Contents.txt";

} // namespace

std::string RecordFolderName(double now) {
    return Stamp(now, false);
}

std::string PictureName(double now, std::string_view label) {
    return Stamp(now, true) + " " + std::string(label) + std::string(kPictureEnding);
}

std::string SummaryName(double now) {
    return Stamp(now, true) + std::string(kSummaryEnding);
}

bool IsStamped(std::string_view name) {
    constexpr std::string_view kPattern = "dddd-dd-dd dd'dd'dd.ddd";
    static_assert(kPattern.size() == kStampLength);
    if (name.size() < kStampLength) {
        return false;
    }
    for (std::size_t i = 0; i < kStampLength; ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (kPattern[i] == 'd' ? !digit : name[i] != kPattern[i]) {
            return false;
        }
    }
    return true;
}

bool IsSummaryName(std::string_view name) {
    return IsStamped(name) && name.substr(kStampLength) == kSummaryEnding;
}

bool IsPictureName(std::string_view name) {
    return IsStamped(name) && name.size() > kStampLength + 1 + kPictureEnding.size() &&
           name[kStampLength] == ' ' && name.ends_with(kPictureEnding);
}

std::string MissingPictureLine(std::string_view name, std::string_view error) {
    std::string line(kMissingPrefix);
    line += name;
    line += ": ";
    line += error;
    return line;
}

} // namespace records
