// PNG encoding of 8-bit RGB and RGBA pictures: lossless, adaptive row filters, zlib deflate.
#pragma once

#include "records/Image.h"
#include "records/WriteOutcome.h"

#include <optional>
#include <string>
#include <string_view>

namespace records {

// The eight bytes every PNG file starts with.
inline constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1A\n", 8};

// The zlib level the pictures are written with; screen pictures gain little above it.
inline constexpr int kPngCompressionLevel = 6;

// The complete PNG file; nothing for an empty or malformed view (a bad channel count, a
// stride shorter than a row, a size PNG cannot carry).
std::optional<std::string> EncodePng(const ImageView& image,
                                     int compressionLevel = kPngCompressionLevel);

// Encodes and writes the file so that a failure leaves nothing under `path`.
WriteOutcome WritePngFile(const std::string& path, const ImageView& image);

} // namespace records
