// PNG encoding of 8-bit RGB and RGBA pictures: lossless, adaptive row filters, zlib deflate.
#pragma once

#include "records/Image.h"
#include "records/WriteOutcome.h"

#include <optional>
#include <string>

namespace records {

// The zlib level the pictures are written with; screen pictures gain little above it.
inline constexpr int kPngCompressionLevel = 6;

// The complete PNG file; nothing for an empty or malformed view (a bad channel count, a
// stride shorter than a row, a size PNG cannot carry).
std::optional<std::string> EncodePng(const ImageView& image,
                                     int compressionLevel = kPngCompressionLevel);

// Encodes and writes the file so that a failure leaves nothing under `path`.
WriteOutcome WritePngFile(const std::string& path, const ImageView& image);

} // namespace records
