#pragma once

#include "data/TimeBase.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

class ItemList;

// A CSV file of body weights from a scale or another program, read into the days it would add
// to the weights list, with the lines it leaves out and why. Dates are ISO (2026-12-06) or the
// locale's short date, either with a time after it; weights are in kg or lb as a unit after the
// number, a unit column or the weight column's header says, else in the user's units. Fields are
// separated by commas, semicolons or tabs (whichever the first line has most of); a decimal comma
// reads as a point. A header line is recognised by having no date in it; without one, or when
// its names say nothing, the columns are found from the first dated line. Each weight is taken
// as if typed into the daily chart in the user's units: rounded to the tenth, and refused
// outside the range that field takes. A day met again in the file keeps its first line.
class WeightImport final
{
public:
    // No scale's history comes near this; reading a larger file whole would only cost memory.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
    // The report names this many skipped lines and kept days, then counts the rest.
    static constexpr int kMaxListed = 100;

    struct Weight
    {
        TimeBase::Stamp day;
        float kilograms;
        int line;
    };

    // `metric`: the user's units; `today`: the last day a weight may be for.
    WeightImport(bool metric, const QLocale& locale, TimeBase::Stamp today);

    // Reads the file; false and a reason naming it when it cannot be read at all.
    bool ReadFile(const QString& path, QString* error);
    // The file's bytes: UTF-8, or UTF-16 or UTF-32 with a byte order mark, else Windows-1252.
    void Read(const QByteArray& bytes);
    // Days that have an entry in `weights` keep it: their lines are left out. So are the weights
    // the list has no room for.
    void KeepDaysOf(const ItemList& weights);

    // What to add, in the order of the file.
    const std::vector<Weight>& Weights() const { return m_weights; }
    // Lines that are neither added nor kept days: unreadable, out of range, days again.
    int SkippedCount() const { return m_skippedCount; }
    int KeptCount() const { return int(m_kept.size()); }

    // "Add 120 weights?", or why there is nothing to add.
    QString Heading() const;
    // What is added, kept and skipped, in plain text with a line per skipped line.
    QString Report() const;

private:
    enum class Unit
    {
        None,
        Kilograms,
        Pounds,
        Other
    };
    struct Reading
    {
        double value = 0;
        Unit unit = Unit::None;
        QString unitText;
    };

    static QChar SeparatorOf(const QString& text);
    static Unit UnitOf(const QString& word);
    static bool ReadNumber(const QString& field, Reading* reading);
    static QString Shown(const QString& field);
    static Unit HeaderUnit(const QString& name);
    QDate DateOf(const QString& field) const;
    QDate DayOf(const QString& datePart) const;

    bool TakeRow(const QStringList& row, int line);
    void FindColumns(const QStringList& row);
    void NameColumns(const QStringList& header);
    void TakeWeight(const QStringList& row, int line);
    void Skip(int line, const QString& why);

    bool m_metric;
    QLocale m_locale;
    TimeBase::Stamp m_today;
    // The locale's short date: a pattern of numbers in the order of m_dateOrder ('d', 'M',
    // 'y'), else a form with names for the locale to read.
    QRegularExpression m_localeDate;
    QList<QChar> m_dateOrder;
    QString m_namedFormat;

    bool m_headerSeen = false;
    QStringList m_header;
    int m_dateColumn = -1;
    int m_weightColumn = -1;
    int m_unitColumn = -1;
    int m_undecided = 0; // lines read before the columns were found

    QString m_fileProblem;
    std::vector<Weight> m_weights;
    QHash<TimeBase::Stamp, int> m_firstLine; // of each day read
    std::vector<TimeBase::Stamp> m_kept;
    int m_full = 0; // weights the list had no room for
    QStringList m_skipped;
    int m_skippedCount = 0;
};
