// The date text of the traffic log's first line, in a short-date pattern the console takes
// from the user's locale.
#pragma once

#include <string>
#include <string_view>

namespace records {

// Day-first or year-first patterns alike; ISO order when the console gives none.
inline constexpr std::string_view kDefaultShortDateFormat = "yyyy-MM-dd";

// Pattern letters: d / dd day, M / MM month, yy two-digit year, yyyy (or any other run of y)
// four-digit year; longer runs of d or M give two digits, since the core knows no names.
// Text in single quotes is literal, '' is an apostrophe, everything else is copied.
std::string FormatShortDate(double days, std::string_view pattern = kDefaultShortDateFormat);

} // namespace records
