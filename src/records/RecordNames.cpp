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

} // namespace

std::string RecordFolderName(double now) {
    return Stamp(now, false);
}

std::string PictureName(double now, std::string_view label) {
    return Stamp(now, true) + " " + std::string(label) + ".png";
}

std::string SummaryName(double now) {
    return Stamp(now, true) + " Contents.txt";
}

} // namespace records
