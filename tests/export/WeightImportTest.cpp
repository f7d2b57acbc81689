#include "export/WeightImport.h"
#include "TestSupport.h"
#include "data/WeightItem.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

const TimeBase::Stamp kToday = TimeBase::FromDate(QDate(2026, 12, 6));

TimeBase::Stamp Day(int year, int month, int day)
{
    return TimeBase::FromDate(QDate(year, month, day));
}

// The weights read, as "2026-01-02 81.4" with kilograms to the hundredth.
QStringList Read(const QByteArray& bytes, bool metric, const QLocale& locale = QLocale::c())
{
    WeightImport import(metric, locale, kToday);
    import.Read(bytes);
    QStringList read;
    for (const WeightImport::Weight& weight : import.Weights())
        read << TimeBase::ToDate(weight.day).toString(Qt::ISODate) + u' ' +
                    QString::number(weight.kilograms, 'f', 2);
    EXPECT_EQ(import.SkippedCount(), 0) << qPrintable(import.Report());
    return read;
}

} // namespace

TEST(WeightImport, ReadsTheFormatsOfScalesAndApps)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    // 180.4 lb is 81.83 kg; 81.4 kg shown in pounds is 179.5 lb, stored as 81.42 kg.
    const struct
    {
        const char* name;
        const char* text;
        bool metric;
        QLocale locale;
        QStringList expected;
    } cases[] = {
        {"ISO, kg in the header",
         "Date,Weight (kg)\n2026-01-02,81.4\n2026-01-03,81.45\n",
         true,
         QLocale::c(),
         {"2026-01-02 81.40", "2026-01-03 81.50"}},
        {"weight_kg in an imperial diary",
         "date,weight_kg\n2026-01-02,81.4\n",
         false,
         QLocale::c(),
         {"2026-01-02 81.42"}},
        {"locale date, lb in the header, times",
         "Date,Weight (lb)\r\n1/2/26,180.4\r\n"
         "01/03/2026 7:30 AM,180.4\r\n",
         true,
         us,
         {"2026-01-02 81.80", "2026-01-03 81.80"}},
        {"semicolons and decimal commas",
         "Datum;Gewicht\n02.01.2026;81,4\n3.1.26;81,6\n",
         true,
         german,
         {"2026-01-02 81.40", "2026-01-03 81.60"}},
        {"units after the numbers, no header",
         "2026-01-02,81.4 kg\n2026-01-03T06:10:00,180 lbs\n",
         true,
         QLocale::c(),
         {"2026-01-02 81.40", "2026-01-03 81.60"}},
        {"a unit column",
         "Date,Weight,Unit\n2026-01-02,180.4,lb\n2026-01-03,81.4,kg\n",
         true,
         QLocale::c(),
         {"2026-01-02 81.80", "2026-01-03 81.40"}},
        {"no unit: the user's", "2026-01-02,180.4\n", false, QLocale::c(), {"2026-01-02 81.83"}},
        {"quoted, with a decimal comma",
         "\"Date\",\"Weight\"\n\"2026-01-02\",\"81,4\"\n",
         true,
         QLocale::c(),
         {"2026-01-02 81.40"}},
        {"our own export, in pounds",
         "Date,Kilograms,Pounds\r\n2026-01-02,81.83,180.4\r\n",
         false,
         QLocale::c(),
         {"2026-01-02 81.83"}},
        {"a scale's measures",
         "Date,\"Fat mass (kg)\",\"Weight (kg)\",Comments\n"
         "\"2026-01-02 07:31:00\",20.1,81.4,\"after a run, tired\"\n",
         true,
         QLocale::c(),
         {"2026-01-02 81.40"}},
        {"tabs", "date\tweight\n2026-01-02\t81.4\n", true, QLocale::c(), {"2026-01-02 81.40"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Read(c.text, c.metric, c.locale), c.expected);
    }
    // UTF-16 with its mark, as some spreadsheets save.
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray wide = utf16.encode(QStringLiteral("Date,Weight\n2026-01-02,81.4\n"));
    EXPECT_EQ(Read(wide, true), QStringList{"2026-01-02 81.40"});
}

TEST(WeightImport, ReportsWhatItAddsKeepsAndSkipsLineByLine)
{
    WeightImport import(true, QLocale::c(), kToday);
    import.Read("Date,Weight\n"
                "2026-01-01,80.0\n"
                ",81\n"
                "2026-13-45,81\n"
                "2026-01-02,\n"
                "2026-01-03,abc\n"
                "2026-01-04,0\n"
                "2026-01-05,81 st\n"
                "2026-01-01,79\n"
                "2027-01-01,80\n"
                "\n"
                "2026-01-06,80.5\n"
                "2026-01-07,1000 lb\n"
                "2026-01-08,81,4\n"
                "2026-01-09,\"82\n");
    QTemporaryDir dir;
    UserDatabase store({dir.path(), {dir.path()}});
    TestSupport::Add<WeightItem>(store.Weights(), Day(2026, 1, 6))->SetKilograms(80);
    import.KeepDaysOf(store.Weights());

    ASSERT_EQ(import.Weights().size(), 1u);
    EXPECT_EQ(import.Weights()[0].day, Day(2026, 1, 1));
    EXPECT_EQ(import.Weights()[0].line, 2);
    EXPECT_EQ(import.Heading(), QStringLiteral("Add 1 weight?"));
    EXPECT_EQ(import.Report(),
              QStringLiteral("A quote opened on line 15 is never closed: the lines from there on "
                             "are not read.\n\n"
                             "Adds the weight of 01/01/26.\n\n"
                             "Keeps the weight you have for this day:\n01/06/26\n\n"
                             "Skips 10 lines:\n"
                             "line 3: no date\n"
                             "line 4: \"2026-13-45\" is not a date\n"
                             "line 5: no weight\n"
                             "line 6: weight \"abc\" is not a number\n"
                             "line 7: weight 0 kg is out of range (20 to 450 kg)\n"
                             "line 8: unit \"st\" is not kg or lb\n"
                             "line 9: 01/01/26 is on line 2 already\n"
                             "line 10: 2027-01-01 is after today\n"
                             "line 13: weight 1000 lb is out of range (20 to 450 kg)\n"
                             "line 14: 3 fields where the header has 2"));
}

TEST(WeightImport, HostileInputEndsQuicklyWithinBoundsAndSaysWhatIsWrong)
{
    // Numbers past any range, NUL bytes (written @), a field of 10 MB: refused line by line.
    QByteArray text = "Date,Weight\n"
                      "2026-01-02,99999999999999999999999999999999999999\n"
                      "2026-01-03,1e400\n"
                      "2026-01-04,8@1\n"
                      "2026@-01-05,81\n";
    text.replace('@', '\0');
    text.append("2026-01-06,");
    text.append(QByteArray(10 * 1024 * 1024, '7'));
    text.append("\n2026-01-07,81\n");
    WeightImport import(true, QLocale::c(), kToday);
    import.Read(text);
    ASSERT_EQ(import.Weights().size(), 1u);
    EXPECT_EQ(import.Weights()[0].line, 7);
    EXPECT_EQ(import.SkippedCount(), 5);
    EXPECT_LT(import.Report().size(), 1000); // the long field is shown cut

    // Lines of anything but dates: given up on, with one reason for all.
    WeightImport junk(true, QLocale::c(), kToday);
    junk.Read(QByteArray(4 * 1024 * 1024, 'x').replace("xxxx", "x;1\n"));
    EXPECT_TRUE(junk.Weights().empty());
    EXPECT_EQ(junk.Heading(), QStringLiteral("No weights found."));
    EXPECT_TRUE(junk.Report().startsWith(QStringLiteral("No column of dates and weights")));

    // A file too large, or missing, is refused with its name.
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.csv"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(WeightImport::kMaxFileBytes + 1));
    file.close();
    QString error;
    EXPECT_FALSE(import.ReadFile(big, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("big.csv is larger than 16 MB")))
        << qPrintable(error);
    EXPECT_FALSE(import.ReadFile(dir.filePath(QStringLiteral("none.csv")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("none.csv cannot be read"))) << qPrintable(error);
}
