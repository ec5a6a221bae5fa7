// The names of a recording's folder, pictures and summary, from the local time they are made.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace records {

// "YYYY-MM-DD hh'nn'ss": the apostrophe stands where a time would have a colon.
std::string RecordFolderName(double now);
// "YYYY-MM-DD hh'nn'ss.zzz", a blank, the label, ".png".
std::string PictureName(double now, std::string_view label);
// "YYYY-MM-DD hh'nn'ss.zzz Contents.txt".
std::string SummaryName(double now);

// The same names read back, for the report of a recording folder.
inline constexpr std::size_t kStampLength = 23; // "YYYY-MM-DD hh'nn'ss.zzz"
inline constexpr std::string_view kPictureEnding = ".png";
// Whether the name starts with a stamp as the pictures and the summary carry.
bool IsStamped(std::string_view name);
bool IsSummaryName(std::string_view name);
bool IsPictureName(std::string_view name);

// A summary line after the counts for a picture that could not be saved:
// "Missing: <picture name>: <error>".
inline constexpr std::string_view kMissingPrefix = "Missing: ";
std::string MissingPictureLine(std::string_view name, std::string_view error);

} // namespace records
