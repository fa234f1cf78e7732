#include "document/CsvReader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "document/CsvWriter.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

Result<Records, std::string> ReadAll(std::string_view text) {
    CsvReader reader(text);
    Records records;
    std::vector<std::string_view> cells;
    for (;;) {
        Result<bool, std::string> next = reader.Next(cells);
        if (!next) return Result<Records, std::string>::Failure(next.Error());
        if (!next.Value()) return records;
        records.emplace_back(cells.begin(), cells.end());
    }
}

struct ReadRow {
    const char* name;
    std::string text;
    Records records;
};

class CsvReaderRecords : public ::testing::TestWithParam<ReadRow> {};

TEST_P(CsvReaderRecords, SplitsAsWritten) {
    const Result<Records, std::string> read = ReadAll(GetParam().text);
    ASSERT_TRUE(read) << read.Error();
    EXPECT_EQ(GetParam().records, read.Value());
}

INSTANTIATE_TEST_SUITE_P(
        Rows, CsvReaderRecords,
        ::testing::Values(
                ReadRow{"Empty", "", {}}, ReadRow{"CrLf", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
                ReadRow{"LfAndNoFinalEnd", "a,b\nc", {{"a", "b"}, {"c"}}},
                ReadRow{"EmptyCells", ",\r\n\r\nx,", {{"", ""}, {""}, {"x", ""}}},
                ReadRow{"Quoted", "\"a,b\",\"say \"\"hi\"\"\",\"\"\r\n", {{"a,b", "say \"hi\"", ""}}},
                // Cells unquoted into the reader's own storage stay put.
                ReadRow{"DoubledQuotesInManyCells",
                        "\"1\"\"\",\"2\"\"\",\"3\"\"\"\n\"4\"\"\"\n",
                        {{"1\"", "2\"", "3\""}, {"4\""}}},
                ReadRow{"LineEndsInsideQuotes", "\"l1\nl2\r\nl3\",z\n", {{"l1\nl2\r\nl3", "z"}}},
                ReadRow{"LoneCrAndInnerQuoteKept", "a\rb,c\"d\r\n", {{"a\rb", "c\"d"}}},
                ReadRow{"BytesKept",
                        std::string("\xE9\0\xFF,\x01", 5),
                        {{std::string("\xE9\0\xFF", 3), "\x01"}}}),
        [](const auto& row) { return std::string(row.param.name); });

TEST(CsvReader, NamesTheRowOfAQuoteThatNeverCloses) {
    const auto read = ReadAll("Entry,A\r\n0,1\r\n1,\"open\r\n2,3\r\n");
    ASSERT_FALSE(read);
    EXPECT_EQ("Row 3: a quoted cell is not closed before the end of the file.", read.Error());
    EXPECT_EQ("Row 1: a quoted cell has more text after its closing quote.", ReadAll("\"a\"b,c").Error());
}

TEST(CsvReader, ReadsBackWhatTheWriterWrote) {
    const Records records = {{"plain", "a,b", "q\"q", ""}, {"\r\n", "\n", "\r", "\"\""}, {""}};
    std::ostringstream out;
    CsvWriter writer(out);
    for (const auto& record : records) {
        for (const auto& cell : record)
            writer.Cell(cell);
        writer.EndRecord();
    }
    const auto read = ReadAll(out.str());
    ASSERT_TRUE(read) << read.Error();
    EXPECT_EQ(records, read.Value());
}

} // namespace
