#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "cli/CCsvWriter.h"

TEST(CsvWriter, QuotesOnlyCellsThatNeedIt) {
    EXPECT_EQ("plain text", CCsvWriter::Quote("plain text"));
    EXPECT_EQ("", CCsvWriter::Quote(""));
    EXPECT_EQ("\"a,b\"", CCsvWriter::Quote("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", CCsvWriter::Quote("say \"hi\""));
    EXPECT_EQ("\"two\nlines\"", CCsvWriter::Quote("two\nlines"));
    EXPECT_EQ("\"cr\rhere\"", CCsvWriter::Quote("cr\rhere"));
}

TEST(CsvWriter, KeepsBytesAsTheyAre) {
    const std::string bytes("\xE9t\xE9\x01\x7F", 5);
    EXPECT_EQ(bytes, CCsvWriter::Quote(bytes));
}

TEST(CsvWriter, SeparatesCellsAndEndsRecordsWithCrLf) {
    std::ostringstream out;
    CCsvWriter csv(out);
    csv.Cell("Entry");
    csv.Cell("");
    csv.Cell("x,y");
    csv.EndRecord();
    csv.Cell("");
    csv.Cell("last");
    csv.EndRecord();
    EXPECT_EQ("Entry,,\"x,y\"\r\n,last\r\n", out.str());
}
