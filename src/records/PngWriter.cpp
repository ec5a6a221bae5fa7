// The PNG container written by hand; zlib supplies the deflate stream and the CRC.
#include "records/PngWriter.h"

#include "records/FileReplace.h"

#include <array>
#include <cstdlib>
#include <limits>
#include <zlib.h>

namespace records {
namespace {

constexpr std::size_t kMaxChunkData = 1 << 18;
constexpr std::uint32_t kMaxDimension = 0x7FFFFFFF;

void PutBigEndian(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>(value >> 16);
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

void PutChunk(std::string& out, const char type[4], const std::uint8_t* data, std::size_t size) {
    PutBigEndian(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.append(type, 4);
    out.append(reinterpret_cast<const char*>(data), size);
    const auto* crcStart = reinterpret_cast<const Bytef*>(out.data() + typeAt);
    PutBigEndian(out, static_cast<std::uint32_t>(crc32(0, crcStart, static_cast<uInt>(size + 4))));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) {
        return a;
    }
    return pb <= pc ? b : c;
}

// Filters one row five ways and keeps the one whose bytes, read as signed, sum smallest:
// the usual heuristic, which suits screen pictures' flat areas and gradients alike.
class RowFilter {
public:
    RowFilter(std::size_t rowBytes, int bpp)
        : iRowBytes(rowBytes)
        , iBpp(bpp) {
        for (auto& c : candidates) {
            c.resize(rowBytes + 1);
            c[0] = static_cast<std::uint8_t>(&c - candidates.data());
        }
        zeroRow.assign(rowBytes, 0);
    }

    const std::vector<std::uint8_t>& Filter(const std::uint8_t* row, const std::uint8_t* prior) {
        if (prior == nullptr) {
            prior = zeroRow.data();
        }
        std::array<unsigned long, 5> sums{};
        for (std::size_t x = 0; x < iRowBytes; ++x) {
            const int a = x >= static_cast<std::size_t>(iBpp) ? row[x - iBpp] : 0;
            const int b = prior[x];
            const int c = x >= static_cast<std::size_t>(iBpp) ? prior[x - iBpp] : 0;
            const int raw = row[x];
            const std::uint8_t out[5] = {
                static_cast<std::uint8_t>(raw),
                static_cast<std::uint8_t>(raw - a),
                static_cast<std::uint8_t>(raw - b),
                static_cast<std::uint8_t>(raw - ((a + b) >> 1)),
                static_cast<std::uint8_t>(raw - Paeth(a, b, c)),
            };
            for (int f = 0; f < 5; ++f) {
                candidates[f][x + 1] = out[f];
                sums[f] += out[f] < 128 ? out[f] : 256 - out[f];
            }
        }
        int best = 0;
        for (int f = 1; f < 5; ++f) {
            if (sums[f] < sums[best]) {
                best = f;
            }
        }
        return candidates[best];
    }

private:
    std::size_t iRowBytes;
    int iBpp;
    std::array<std::vector<std::uint8_t>, 5> candidates;
    std::vector<std::uint8_t> zeroRow;
};

bool Valid(const ImageView& image) {
    if (image.iWidth <= 0 || image.iHeight <= 0 || image.pPixels == nullptr ||
        (image.iChannels != 3 && image.iChannels != 4)) {
        return false;
    }
    const auto rowBytes = static_cast<std::size_t>(image.iWidth) * image.iChannels;
    return static_cast<std::uint32_t>(image.iWidth) <= kMaxDimension &&
           static_cast<std::uint32_t>(image.iHeight) <= kMaxDimension &&
           image.iStride >= rowBytes && rowBytes < std::numeric_limits<uInt>::max();
}

std::optional<std::string> Deflate(const ImageView& image, int level) {
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, 15, 8, Z_FILTERED) != Z_OK) {
        return std::nullopt;
    }
    const auto rowBytes = static_cast<std::size_t>(image.iWidth) * image.iChannels;
    RowFilter filter(rowBytes, image.iChannels);
    std::string out(deflateBound(&z, static_cast<uLong>((rowBytes + 1) * image.iHeight)), '\0');
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int status = Z_OK;
    for (int y = 0; y < image.iHeight && status == Z_OK; ++y) {
        const std::uint8_t* row = image.pPixels + y * image.iStride;
        const std::uint8_t* prior = y == 0 ? nullptr : row - image.iStride;
        const std::vector<std::uint8_t>& filtered = filter.Filter(row, prior);
        z.next_in = const_cast<Bytef*>(filtered.data());
        z.avail_in = static_cast<uInt>(filtered.size());
        const int flush = y + 1 == image.iHeight ? Z_FINISH : Z_NO_FLUSH;
        status = deflate(&z, flush);
        // The bound is only promised for one call; grow rather than trust it across rows.
        while (status == Z_OK && z.avail_out == 0) {
            const std::size_t used = out.size();
            out.resize(used * 2);
            z.next_out = reinterpret_cast<Bytef*>(out.data() + used);
            z.avail_out = static_cast<uInt>(out.size() - used);
            status = deflate(&z, flush);
            if (status == Z_BUF_ERROR) {
                status = Z_OK; // nothing was pending after all
            }
        }
    }
    const bool finished = status == Z_STREAM_END;
    out.resize(z.total_out);
    deflateEnd(&z);
    if (!finished) {
        return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<std::string> EncodePng(const ImageView& image, int compressionLevel) {
    if (!Valid(image)) {
        return std::nullopt;
    }
    const std::optional<std::string> stream = Deflate(image, compressionLevel);
    if (!stream) {
        return std::nullopt;
    }
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.iWidth));
    PutBigEndian(header, static_cast<std::uint32_t>(image.iHeight));
    header += '\x08';                                 // bit depth
    header += image.iChannels == 4 ? '\x06' : '\x02'; // colour type: RGBA or RGB
    header.append(3, '\0');                           // deflate, adaptive filters, no interlace
    PutChunk(png, "IHDR", reinterpret_cast<const std::uint8_t*>(header.data()), header.size());
    const auto* data = reinterpret_cast<const std::uint8_t*>(stream->data());
    for (std::size_t at = 0; at < stream->size(); at += kMaxChunkData) {
        PutChunk(png, "IDAT", data + at, std::min(kMaxChunkData, stream->size() - at));
    }
    PutChunk(png, "IEND", nullptr, 0);
    return png;
}

WriteOutcome WritePngFile(const std::string& path, const ImageView& image) {
    const std::optional<std::string> png = EncodePng(image);
    if (!png) {
        return WriteOutcome::Failed("Cannot write file \"" + path + "\": the picture is empty");
    }
    return ReplaceFileContents(path, *png);
}

} // namespace records
