// The names of a recording's folder, pictures and summary, from the local time they are made.
#pragma once

#include <string>
#include <string_view>

namespace records {

// "YYYY-MM-DD hh'nn'ss": the apostrophe stands where a time would have a colon.
std::string RecordFolderName(double now);
// "YYYY-MM-DD hh'nn'ss.zzz", a blank, the label, ".png".
std::string PictureName(double now, std::string_view label);
// "YYYY-MM-DD hh'nn'ss.zzz Contents.txt".
std::string SummaryName(double now);

} // namespace records
