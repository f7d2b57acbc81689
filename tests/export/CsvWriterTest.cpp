#include "export/CsvWriter.h"
#include "export/CsvReader.h"

#include <gtest/gtest.h>

// Quoted as RFC 4180 has it only where needed, in UTF-8, and read back to the same fields.
TEST(CsvWriter, QuotesWhatNeedsItAndReadsBack)
{
    const QStringList fields = {"plain",          "",
                                "Butter, salted", "a\"b",
                                "one\ntwo",       "three\r\nfour",
                                " pad ",          QStringLiteral("caf\u00e9 \u20ac5")};
    CsvWriter csv;
    csv.WriteRow(fields);
    csv.WriteRow({"next", "row"});
    EXPECT_EQ(csv.Data(), QByteArray("plain,,\"Butter, salted\",\"a\"\"b\",\"one\ntwo\","
                                     "\"three\r\nfour\", pad ,caf\xc3\xa9 \xe2\x82\xac"
                                     "5\r\nnext,row\r\n"));

    std::vector<QStringList> rows;
    QString error;
    ASSERT_TRUE(CsvReader::Parse(QString::fromUtf8(csv.Data()), rows, &error)) << qPrintable(error);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], fields);
}
