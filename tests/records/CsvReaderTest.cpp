// CSV read in pieces: the same records as from the whole text wherever the pieces are cut, and
// a record too long to hold costing only its first line.
#include "records/Csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace records_test {
namespace {

using records::CsvRow;

// The text handed over `piece` bytes at a time.
std::vector<CsvRow> ReadInPieces(const std::string& text, std::size_t piece) {
    std::size_t at = 0;
    records::CsvReader reader(
        [&](std::string& bytes) {
            const std::size_t n = std::min(piece, text.size() - at);
            bytes.append(text, at, n);
            at += n;
            return n > 0;
        },
        ',');
    std::vector<CsvRow> rows;
    while (std::optional<CsvRow> row = reader.Next())
        rows.push_back(std::move(*row));
    return rows;
}

struct PiecesCase {
    const char* name;
    std::string text;
};

void PrintTo(const PiecesCase& c, std::ostream* out) {
    *out << c.name;
}

class CsvInPieces : public testing::TestWithParam<PiecesCase> {};

TEST_P(CsvInPieces, ReadsAsTheWholeText) {
    const std::vector<CsvRow> whole = records::ReadCsvRows(GetParam().text, ',');
    for (const std::size_t piece : {1, 2, 3, 5, 64 * 1024}) {
        const std::vector<CsvRow> rows = ReadInPieces(GetParam().text, piece);
        ASSERT_EQ(rows.size(), whole.size()) << piece << "-byte pieces";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].iLine, whole[i].iLine) << piece << "-byte pieces, row " << i;
            EXPECT_EQ(rows[i].fields, whole[i].fields) << piece << "-byte pieces, row " << i;
            EXPECT_EQ(rows[i].sProblem, whole[i].sProblem) << piece << "-byte pieces, row " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvInPieces,
    testing::Values(PiecesCase{"LineEnds", "a,b\r\nc,d\ne,f\rg,h"},
                    PiecesCase{"EmptyLinesAndFields", "\r\n\r\n,,\r\n\n,x\r\n"},
                    PiecesCase{"QuotedLineEndsAndQuotes",
                               "\"a\r\nb\",\"say \"\"hi\"\"\"\r\n\"\"\r\nz\r\n"},
                    PiecesCase{"QuoteLeftOpen", "a,\"open\r\nb,c\r\nd,\"e\"\r\nf\r\n"},
                    PiecesCase{"TextAfterClosingQuote", "\"a\"b,c\r\nd\r\n"},
                    PiecesCase{"QuoteInPlainField", "a\"b,c\r\nd\r\n"},
                    PiecesCase{"QuoteLeftOpenToTheEnd", "a\r\n\"b,c\r\nd"},
                    PiecesCase{"EndsInCarriageReturn", "a,b\r"}),
    [](const testing::TestParamInfo<PiecesCase>& info) { return info.param.name; });

// A quote opened and never closed in a large file, and a line without an end: each is one
// damaged record, and the lines after them are read.
TEST(CsvReader, ARecordLongerThanItsLimitCostsOnlyItsFirstLine) {
    const std::string tooLong(records::kMaxCsvRecordBytes + 1, 'x');
    const std::string text = "a\r\n\"open," + tooLong + "\r\nb,c\r\n" + tooLong + "\r\nd\r\n";
    const std::vector<CsvRow> rows = ReadInPieces(text, 64 * 1024);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].iLine, 2u);
    EXPECT_EQ(rows[1].sProblem, records::kCsvRecordTooLong);
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(rows[3].iLine, 4u);
    EXPECT_EQ(rows[3].sProblem, records::kCsvRecordTooLong);
    EXPECT_EQ(rows[4].iLine, 5u);
    EXPECT_EQ(rows[4].fields, std::vector<std::string>{"d"});
}

} // namespace
} // namespace records_test
