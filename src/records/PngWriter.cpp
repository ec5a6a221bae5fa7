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

// Sum of the bytes read as signed magnitudes: small for rows that deflate well.
unsigned Cost(const std::uint8_t* bytes, std::size_t size) {
    unsigned sum = 0;
    for (std::size_t x = 0; x < size; ++x) {
        sum +=
            static_cast<unsigned>(std::abs(static_cast<int>(static_cast<std::int8_t>(bytes[x]))));
    }
    return sum;
}

// The four predicting filters for the bytes that have a left neighbour. Each loop reads only
// the raw rows and writes its own buffer, so the compiler can vectorise it.
void FilterRest(const std::uint8_t* __restrict row, const std::uint8_t* __restrict prior,
                std::size_t n, std::size_t bpp, std::uint8_t* __restrict sub,
                std::uint8_t* __restrict avg, std::uint8_t* __restrict paeth) {
    const std::uint8_t* left = row;
    const std::uint8_t* upLeft = prior;
    row += bpp;
    prior += bpp;
    sub += bpp;
    avg += bpp;
    paeth += bpp;
    const std::size_t count = n - bpp;
    for (std::size_t x = 0; x < count; ++x) {
        sub[x] = static_cast<std::uint8_t>(row[x] - left[x]);
    }
    for (std::size_t x = 0; x < count; ++x) {
        avg[x] = static_cast<std::uint8_t>(row[x] - ((left[x] + prior[x]) >> 1));
    }
    for (std::size_t x = 0; x < count; ++x) {
        // Paeth without branches: |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |a + b - 2c|.
        const int a = left[x];
        const int b = prior[x];
        const int c = upLeft[x];
        const int pa = std::abs(b - c);
        const int pb = std::abs(a - c);
        const int pc = std::abs(a + b - 2 * c);
        const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        paeth[x] = static_cast<std::uint8_t>(row[x] - predicted);
    }
}

// Filters one row five ways and keeps the one whose bytes cost least: the usual heuristic,
// which suits flat panels and gradients alike.
class RowFilter {
public:
    RowFilter(std::size_t rowBytes, int bpp)
        : iRowBytes(rowBytes)
        , iBpp(static_cast<std::size_t>(bpp)) {
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
        std::uint8_t* none = candidates[0].data() + 1;
        std::uint8_t* sub = candidates[1].data() + 1;
        std::uint8_t* up = candidates[2].data() + 1;
        std::uint8_t* avg = candidates[3].data() + 1;
        std::uint8_t* paeth = candidates[4].data() + 1;
        for (std::size_t x = 0; x < iRowBytes; ++x) {
            none[x] = row[x];
            up[x] = static_cast<std::uint8_t>(row[x] - prior[x]);
        }
        for (std::size_t x = 0; x < iBpp; ++x) {
            sub[x] = row[x];
            avg[x] = static_cast<std::uint8_t>(row[x] - (prior[x] >> 1));
            paeth[x] = static_cast<std::uint8_t>(row[x] - prior[x]);
        }
        FilterRest(row, prior, iRowBytes, iBpp, sub, avg, paeth);
        int best = 0;
        unsigned bestCost = Cost(none, iRowBytes);
        for (int f = 1; f < 5; ++f) {
            const unsigned cost = Cost(candidates[f].data() + 1, iRowBytes);
            if (cost < bestCost) {
                best = f;
                bestCost = cost;
            }
        }
        return candidates[best];
    }

private:
    std::size_t iRowBytes;
    std::size_t iBpp;
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
    std::string png(kPngSignature);
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
