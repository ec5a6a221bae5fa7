// Lines of a text taken a block at a time, so that a text of any size, or one still being
// written, is read in the same small memory; a line beyond the bound is passed over unkept.
#pragma once

#include <cstddef>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct TextLine {
    int number = 0;        // from 1
    std::string_view text; // without its LF or CR LF; valid until the next line is read
    bool tooLong = false;  // longer than LineReader::kLongestLine: text is then empty
};

class LineReader {
public:
    // Far beyond any line of a traffic log (under 200 bytes) or of a scenario script.
    static constexpr std::size_t kLongestLine = 4096;

    explicit LineReader(std::streambuf& text);

    // The next line; nullopt at the end of the text, or where the text could no longer be read.
    std::optional<TextLine> Next();

private:
    bool Fill();

    std::streambuf& text;
    std::vector<char> block;
    std::size_t begin = 0; // the unread part of block
    std::size_t end = 0;
    std::string line;
    int number = 0;
};

} // namespace sim
