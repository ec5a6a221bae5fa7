// PNG encoding checked by an independent decoder (python3's zlib and struct) and pngcheck.
#include "records/PngWriter.h"

#include "ExternalTool.h"
#include "TempDirFixture.h"

#include <random>

using records::Image;
using records::ImageView;
using records_test::RunProgram;
using records_test::TempDirFixture;

namespace {

Image Noise(int width, int height, int channels, unsigned seed) {
    Image image{width, height, channels, {}};
    std::mt19937 random(seed);
    image.pixels.resize(static_cast<size_t>(width) * height * channels);
    for (auto& byte : image.pixels) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

// Flat panels, gradients and edges, as in a window picture: every row filter gets used.
Image Screen(int width, int height) {
    Image image{width, height, 3, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool panel = x < width / 3;
            image.pixels.push_back(static_cast<std::uint8_t>(panel ? 240 : x * 255 / width));
            image.pixels.push_back(static_cast<std::uint8_t>(panel ? 240 : y * 255 / height));
            image.pixels.push_back(static_cast<std::uint8_t>((x / 8 + y / 8) % 2 ? 30 : 200));
        }
    }
    return image;
}

class PngWriterTest : public TempDirFixture {
protected:
    // The pixels python decodes from the file, with its "width height channels" header.
    static std::string Decoded(const std::string& png) {
        if (RunProgram({"python3", PNG_DECODER, png, "decoded.raw"}) != 0) {
            return "decoder failed";
        }
        return ReadAll("decoded.raw");
    }
    static std::string Expected(const Image& image) {
        return std::to_string(image.iWidth) + " " + std::to_string(image.iHeight) + " " +
               std::to_string(image.iChannels) + "\n" +
               std::string(image.pixels.begin(), image.pixels.end());
    }
};

TEST_F(PngWriterTest, DecodesBackToTheSamePixels) {
    if (RunProgram({"python3", "-c", "import zlib, struct"}) != 0) {
        GTEST_SKIP() << "python3 is not available";
    }
    const bool havePngcheck = RunProgram({"pngcheck", "/dev/null"}) >= 0;
    const Image cases[] = {
        Noise(1, 1, 3, 1),   Noise(1, 1, 4, 2), Noise(7, 5, 3, 3),
        Noise(33, 17, 4, 4), Screen(200, 120),  Noise(600, 1, 3, 5),
    };
    for (const Image& image : cases) {
        const std::string label = std::to_string(image.iWidth) + "x" +
                                  std::to_string(image.iHeight) + "x" +
                                  std::to_string(image.iChannels);
        ASSERT_TRUE(records::WritePngFile("picture.png", image.View())) << label;
        EXPECT_EQ(Decoded("picture.png"), Expected(image)) << label;
        if (havePngcheck) {
            EXPECT_EQ(RunProgram({"pngcheck", "-q", "picture.png"}), 0) << label;
        }
    }
}

TEST_F(PngWriterTest, RowsAreReadThroughTheStride) {
    if (RunProgram({"python3", "-c", "import zlib, struct"}) != 0) {
        GTEST_SKIP() << "python3 is not available";
    }
    const Image packed = Noise(5, 4, 3, 6);
    std::vector<std::uint8_t> padded;
    for (int y = 0; y < packed.iHeight; ++y) {
        padded.insert(padded.end(), packed.pixels.begin() + y * 15,
                      packed.pixels.begin() + y * 15 + 15);
        padded.insert(padded.end(), 9, 0xEE);
    }
    const ImageView view{5, 4, 3, 24, padded.data()};
    ASSERT_TRUE(records::WritePngFile("padded.png", view));
    EXPECT_EQ(Decoded("padded.png"), Expected(packed));
}

TEST_F(PngWriterTest, MalformedPicturesAreRefused) {
    const std::uint8_t pixel[4] = {};
    const ImageView cases[] = {
        {0, 1, 3, 3, pixel}, {1, 0, 3, 3, pixel},   {1, 1, 2, 2, pixel},
        {1, 1, 3, 2, pixel}, {1, 1, 3, 3, nullptr}, {-1, 1, 3, 3, pixel},
    };
    for (const ImageView& view : cases) {
        EXPECT_FALSE(records::EncodePng(view).has_value());
    }
    const records::WriteOutcome outcome = records::WritePngFile("empty.png", cases[0]);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(Listing().empty());
}

TEST_F(PngWriterTest, FailedWriteLeavesNoFileAndGivesTheSystemReason) {
    const Image image = Noise(3, 3, 3, 7);
    const records::WriteOutcome missing = records::WritePngFile("gone/picture.png", image.View());
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.sError.find("No such file or directory"), std::string::npos)
        << missing.sError;

    // The final name is taken by a folder: it is left alone and no temporary file stays.
    std::filesystem::create_directory("taken.png");
    const records::WriteOutcome taken = records::WritePngFile("taken.png", image.View());
    EXPECT_FALSE(taken);
    EXPECT_EQ(taken.sError, "Cannot write file \"taken.png\": it is not a regular file");
    EXPECT_TRUE(std::filesystem::is_empty("taken.png"));
    EXPECT_EQ(Listing(), std::vector<std::string>{"taken.png"});
}

} // namespace
