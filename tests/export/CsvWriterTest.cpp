#include "export/CsvWriter.h"
#include "export/CsvReader.h"

#include <gtest/gtest.h>

namespace {

struct CsvRow
{
    const char* name;
    QStringList fields;
    QByteArray written;
};

class CsvWriterTest : public ::testing::TestWithParam<CsvRow>
{
};

} // namespace

// Written as RFC 4180 has it, and read back to the same fields.
TEST_P(CsvWriterTest, QuotesWhatNeedsItAndReadsBack)
{
    CsvWriter csv;
    csv.WriteRow(GetParam().fields);
    csv.WriteRow({QStringLiteral("next"), QStringLiteral("row")});
    EXPECT_EQ(csv.Data(), GetParam().written + "next,row\r\n");

    std::vector<QStringList> rows;
    QString error;
    ASSERT_TRUE(CsvReader::Parse(QString::fromUtf8(csv.Data()), rows, &error)) << qPrintable(error);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvWriterTest,
    ::testing::Values(
        CsvRow{"Plain", {"2026-03-01", "Butter", "28.4"}, "2026-03-01,Butter,28.4\r\n"},
        CsvRow{"Empty", {"", "x", ""}, ",x,\r\n"},
        CsvRow{"Comma", {"Butter, salted", "1"}, "\"Butter, salted\",1\r\n"},
        CsvRow{"Quote", {"Said \"no\"", "a\"b"}, "\"Said \"\"no\"\"\",\"a\"\"b\"\r\n"},
        CsvRow{"LineBreaks", {"one\ntwo", "three\r\nfour"}, "\"one\ntwo\",\"three\r\nfour\"\r\n"},
        CsvRow{"NonAscii",
               {QStringLiteral("caf\u00e9 \u20ac5"), " padded "},
               "caf\xc3\xa9 \xe2\x82\xac"
               "5, padded \r\n"}),
    [](const ::testing::TestParamInfo<CsvRow>& info) { return std::string(info.param.name); });
