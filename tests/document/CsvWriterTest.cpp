#include "document/CsvWriter.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

TEST(CsvWriter, QuotesOnlyCellsThatNeedIt) {
    EXPECT_EQ("plain text", CsvWriter::Quote("plain text"));
    EXPECT_EQ("", CsvWriter::Quote(""));
    EXPECT_EQ("\"a,b\"", CsvWriter::Quote("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", CsvWriter::Quote("say \"hi\""));
    EXPECT_EQ("\"two\nlines\"", CsvWriter::Quote("two\nlines"));
    EXPECT_EQ("\"cr\rhere\"", CsvWriter::Quote("cr\rhere"));
    // In place at the end of a row: only the tail counts and only it moves.
    std::string row = "a,b,say \"hi\"";
    CsvWriter::QuoteTail(row, 4);
    EXPECT_EQ(row, "a,b,\"say \"\"hi\"\"\"");
    row = "a,b,c";
    CsvWriter::QuoteTail(row, 4);
    EXPECT_EQ(row, "a,b,c");
}

TEST(CsvWriter, KeepsBytesAsTheyAre) {
    const std::string bytes("\xE9t\xE9\x01\x7F", 5);
    EXPECT_EQ(bytes, CsvWriter::Quote(bytes));
}

TEST(CsvWriter, SeparatesCellsAndEndsRecordsWithCrLf) {
    std::ostringstream out;
    CsvWriter csv(out);
    csv.Cell("Entry");
    csv.Cell("");
    csv.Cell("x,y");
    csv.EndRecord();
    csv.Cell("");
    csv.Cell("last");
    csv.EndRecord();
    EXPECT_EQ("Entry,,\"x,y\"\r\n,last\r\n", out.str());
}
