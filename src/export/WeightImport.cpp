#include "export/WeightImport.h"

#include "data/AnsiCodec.h"
#include "data/ItemList.h"
#include "data/UserProfile.h"
#include "export/CsvReader.h"
#include "fitness/ProfileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTimeZone>

#include <cmath>

namespace {

// Longer fields are no date or weight; they are not looked into.
constexpr qsizetype kLongestField = 64;

// A header name as lower-case words: "Weight (kg)" and "weight_kg" both give "weight", "kg".
QStringList Words(const QString& name)
{
    QString spaced = name.toLower();
    for (QChar& c : spaced) {
        if (!c.isLetter())
            c = u' ';
    }
    return spaced.split(u' ', Qt::SkipEmptyParts);
}

bool HasAny(const QStringList& words, std::initializer_list<const char*> any)
{
    for (const char* word : any) {
        if (words.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

} // namespace

WeightImport::WeightImport(bool metric, const QLocale& locale, TimeBase::Stamp today)
    : m_metric(metric), m_locale(locale), m_today(today)
{
    // The locale's short date as a pattern: the day and month with or without a leading zero,
    // the year in two digits or four, as apps write it whatever the locale's own form says. A
    // form with names (of months, weekdays) is left to the locale to read.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString pattern = QStringLiteral("^");
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        i += run;
        if (c == u'd' && run <= 2) {
            m_dateOrder << u'd';
            pattern += QStringLiteral("([0-9]{1,2})");
        } else if (c == u'M' && run <= 2) {
            m_dateOrder << u'M';
            pattern += QStringLiteral("([0-9]{1,2})");
        } else if (c == u'y' && (run == 2 || run == 4)) {
            m_dateOrder << u'y';
            pattern += QStringLiteral("([0-9]{4}|[0-9]{2})");
        } else if (c.isLetter() || c == u'\'') {
            m_dateOrder.clear();
            break;
        } else if (c.isSpace()) {
            pattern += QStringLiteral("\\s*");
        } else {
            pattern += QRegularExpression::escape(QString(run, c));
        }
    }
    if (m_dateOrder.size() == 3)
        m_localeDate.setPattern(pattern + u'$');
    else
        m_namedFormat = format;
}

bool WeightImport::ReadFile(const QString& path, QString* error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1 cannot be read: %2").arg(name, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        if (error)
            *error = QStringLiteral("%1 is larger than %2 MB: not a file of weights.")
                         .arg(name)
                         .arg(kMaxFileBytes / (1024 * 1024));
        return false;
    }
    // The size is checked again on reading: a pipe or a growing file has none beforehand.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes || file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("%1 cannot be read: %2")
                         .arg(name, bytes.size() > kMaxFileBytes ? QStringLiteral("too large")
                                                                 : file.errorString());
        return false;
    }
    Read(bytes);
    return true;
}

void WeightImport::Read(const QByteArray& bytes)
{
    QString text;
    const auto marked = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(marked.value_or(QStringConverter::Utf8));
    text = decoder.decode(bytes);
    if (decoder.hasError())
        text = AnsiCodec::Decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QString why;
    const bool whole = CsvReader::Parse(
        text, SeparatorOf(text),
        [this](const QStringList& row, int line) { return TakeRow(row, line); }, &why);
    if (!m_headerSeen && whole)
        m_fileProblem = QStringLiteral("The file is empty.");
    else if (m_dateColumn < 0 || m_weightColumn < 0)
        m_fileProblem = QStringLiteral("No column of dates and weights was found: a file of "
                                       "weights has a date and a weight on each line.");
    else if (!whole)
        m_fileProblem = why.left(1).toUpper() + why.mid(1) +
                        QStringLiteral(": the lines from there on are not read.");
}

QChar WeightImport::SeparatorOf(const QString& text)
{
    // The first line with anything in it, outside quotes.
    int counts[3] = {0, 0, 0};
    const QChar separators[3] = {u',', u';', u'\t'};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'\n' || c == u'\r')) {
            if (counts[0] || counts[1] || counts[2])
                break;
        } else if (!quoted) {
            for (int i = 0; i < 3; ++i)
                counts[i] += c == separators[i] ? 1 : 0;
        }
    }
    // A tie goes to the semicolon: "06.12.2026;81,4" has one of each.
    if (counts[1] > 0 && counts[1] >= counts[0] && counts[1] >= counts[2])
        return u';';
    if (counts[2] > counts[0])
        return u'\t';
    return u',';
}

WeightImport::Unit WeightImport::UnitOf(const QString& word)
{
    QString unit = word.toLower();
    if (unit.endsWith(u'.'))
        unit.chop(1);
    static const QSet<QString> kilograms = {"kg", "kgs", "kilo", "kilos", "kilogram", "kilograms"};
    static const QSet<QString> pounds = {"lb", "lbs", "pound", "pounds", "#"};
    if (kilograms.contains(unit))
        return Unit::Kilograms;
    if (pounds.contains(unit))
        return Unit::Pounds;
    return unit.isEmpty() ? Unit::None : Unit::Other;
}

WeightImport::Unit WeightImport::HeaderUnit(const QString& name)
{
    for (const QString& word : Words(name)) {
        const Unit unit = UnitOf(word);
        if (unit == Unit::Kilograms || unit == Unit::Pounds)
            return unit;
    }
    return Unit::None;
}

bool WeightImport::ReadNumber(const QString& field, Reading* reading)
{
    const QString text = field.trimmed();
    if (text.isEmpty() || text.size() > kLongestField)
        return false;
    // Digits, one decimal point or comma and digits, then perhaps a unit.
    qsizetype i = 0;
    if (text[0] == u'-' || text[0] == u'+')
        ++i;
    const qsizetype digits = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i == digits)
        return false;
    QString number = text.left(i);
    if (i + 1 < text.size() && (text[i] == u'.' || text[i] == u',') && text[i + 1].isDigit() &&
        text[i + 1].unicode() < 128) {
        number += u'.';
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            number += text[i++];
    }
    const QString unit = text.mid(i).trimmed();
    for (const QChar c : unit) {
        if (!c.isLetter() && c != u'.' && c != u'#')
            return false;
    }
    bool ok = false;
    reading->value = number.toDouble(&ok);
    reading->unit = UnitOf(unit);
    reading->unitText = unit;
    return ok;
}

QString WeightImport::Shown(const QString& field)
{
    // Quoted as plain text, cut to a length the report can show.
    const QString text = field.trimmed();
    return text.size() > 24 ? text.left(21) + QStringLiteral("...") : text;
}

QDate WeightImport::DayOf(const QString& datePart) const
{
    static const QRegularExpression iso(
        QStringLiteral("^([0-9]{4})[-/.]([0-9]{1,2})[-/.]([0-9]{1,2})$"));
    QRegularExpressionMatch match = iso.match(datePart);
    if (match.hasMatch())
        return QDate(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!m_namedFormat.isEmpty())
        return m_locale.toDate(datePart, m_namedFormat);
    match = m_localeDate.match(datePart);
    if (!match.hasMatch())
        return {};
    int year = 0;
    int month = 0;
    int day = 0;
    for (int part = 0; part < 3; ++part) {
        const QString digits = match.captured(part + 1);
        const QChar which = m_dateOrder[part];
        (which == u'd' ? day : which == u'M' ? month : year) = digits.toInt();
        // The stamps end in 2040: 00 to 39 are this century.
        if (which == u'y' && digits.size() == 2)
            year += year < 40 ? 2000 : 1900;
    }
    return QDate(year, month, day);
}

QDate WeightImport::DateOf(const QString& field) const
{
    QString text = field.trimmed();
    if (text.isEmpty() || text.size() > kLongestField)
        return {};
    // ISO's "T" between the date and the time is a space like any other.
    static const QRegularExpression isoT(QStringLiteral("^([0-9]{4}-[0-9]{1,2}-[0-9]{1,2})T"));
    text.replace(isoT, QStringLiteral("\\1 "));
    static const QRegularExpression time(
        QStringLiteral(
            "^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2})(?:[.,][0-9]+)?)?\\s*((?:[ap]\\.?m\\.?)?)\\s*"
            "(?:(Z|UTC|GMT)|([+-])([0-9]{2}):?([0-9]{2}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    // The date is the first words (a locale's may hold spaces), a time the rest.
    for (qsizetype cut = words.size(); cut >= 1; --cut) {
        const QString rest = QStringList(words.mid(cut)).join(u' ');
        QRegularExpressionMatch clock;
        if (!rest.isEmpty()) {
            clock = time.match(rest);
            if (!clock.hasMatch())
                continue;
        }
        const QDate date = DayOf(QStringList(words.mid(0, cut)).join(u' '));
        if (!date.isValid())
            continue;
        const bool utc = clock.hasMatch() && !clock.captured(5).isEmpty();
        const bool offset = clock.hasMatch() && !clock.captured(6).isEmpty();
        if (!utc && !offset)
            return date;
        // A time given against UTC counts on the day it was here.
        int hour = clock.captured(1).toInt() % 24;
        const QString half = clock.captured(4).toLower();
        if (!half.isEmpty())
            hour = hour % 12 + (half.startsWith(u'p') ? 12 : 0);
        const int seconds =
            utc ? 0
                : (clock.captured(7).toInt() * 3600 + clock.captured(8).toInt() * 60) *
                      (clock.captured(6) == u"-" ? -1 : 1);
        const QTime at(hour, clock.captured(2).toInt() % 60);
        return QDateTime(date, at, QTimeZone(seconds)).toLocalTime().date();
    }
    return {};
}

bool WeightImport::TakeRow(const QStringList& row, int line)
{
    bool blank = true;
    for (const QString& field : row)
        blank = blank && field.trimmed().isEmpty();
    if (blank)
        return true;
    if (!m_headerSeen) {
        m_headerSeen = true;
        bool dated = false;
        for (const QString& field : row)
            dated = dated || DateOf(field).isValid();
        if (!dated) {
            m_header = row;
            NameColumns(row);
            return true;
        }
    }
    if (m_dateColumn < 0 || m_weightColumn < 0) {
        FindColumns(row);
        // So many lines without a date and a weight in them: this is no file of weights.
        if (++m_undecided > kMaxListed && (m_dateColumn < 0 || m_weightColumn < 0))
            return false;
    }
    TakeWeight(row, line);
    return true;
}

void WeightImport::NameColumns(const QStringList& header)
{
    int dateScore = 0;
    int weightScore = 0;
    for (int column = 0; column < header.size(); ++column) {
        const QStringList words = Words(header[column]);
        int date = 0;
        if (HasAny(words, {"date", "datetime", "timestamp", "datum", "fecha", "data"}))
            date = 2;
        else if (HasAny(words, {"day", "time", "when"}))
            date = 1;
        if (date > dateScore) {
            dateScore = date;
            m_dateColumn = column;
        }
        if (HasAny(words, {"unit", "units"}) && m_unitColumn < 0) {
            m_unitColumn = column;
            continue;
        }
        // "Weight", "Body weight" or a unit alone ("Kilograms") first; then other weights but
        // goals and changes; then any column with a unit in its name ("Gewicht (kg)"), of which
        // a scale's other measures ("Fat mass (kg)") come after the weight.
        QStringList named = words;
        named.removeIf([](const QString& word) { return UnitOf(word) != Unit::Other; });
        const bool weighed = HasAny(words, {"weight", "bodyweight", "wt"});
        int weight = 0;
        if ((named.isEmpty() && !words.isEmpty()) || named == QStringList{"weight"} ||
            named == QStringList({"body", "weight"}) || named == QStringList{"bodyweight"})
            weight = 4;
        else if (weighed && !HasAny(words, {"goal", "target", "change", "difference", "delta",
                                            "trend", "lean", "ideal"}))
            weight = 2;
        else if (HeaderUnit(header[column]) != Unit::None && !weighed)
            weight = 1;
        // Of equal names, the one in the user's units is taken as it is.
        const Unit unit = HeaderUnit(header[column]);
        if (weight > 0 && unit == (m_metric ? Unit::Kilograms : Unit::Pounds))
            ++weight;
        if (weight > weightScore && column != m_dateColumn) {
            weightScore = weight;
            m_weightColumn = column;
        }
    }
}

void WeightImport::FindColumns(const QStringList& row)
{
    if (m_dateColumn < 0) {
        for (int column = 0; column < row.size() && m_dateColumn < 0; ++column) {
            if (column != m_weightColumn && DateOf(row[column]).isValid())
                m_dateColumn = column;
        }
    }
    if (m_dateColumn < 0)
        return;
    for (int column = 0; column < row.size(); ++column) {
        Reading reading;
        if (column == m_dateColumn || column == m_weightColumn || column == m_unitColumn)
            continue;
        if (m_weightColumn < 0 && ReadNumber(row[column], &reading) && reading.unit != Unit::Other)
            m_weightColumn = column;
        else if (m_unitColumn < 0 && row[column].trimmed().size() > 0 &&
                 UnitOf(row[column].trimmed()) != Unit::Other &&
                 UnitOf(row[column].trimmed()) != Unit::None)
            m_unitColumn = column;
    }
}

void WeightImport::Skip(int line, const QString& why)
{
    if (m_skippedCount++ < kMaxListed)
        m_skipped << QStringLiteral("line %1: %2").arg(line).arg(why);
}

void WeightImport::TakeWeight(const QStringList& row, int line)
{
    // "2026-01-02,81,4" is a decimal comma that should have been quoted, not a weight of 81.
    for (qsizetype extra = m_header.size(); !m_header.isEmpty() && extra < row.size(); ++extra) {
        if (!row[extra].trimmed().isEmpty())
            return Skip(line, QStringLiteral("%1 fields where the header has %2")
                                  .arg(row.size())
                                  .arg(m_header.size()));
    }
    const QString dateField = m_dateColumn >= 0 ? row.value(m_dateColumn) : QString();
    if (dateField.trimmed().isEmpty())
        return Skip(line, QStringLiteral("no date"));
    const QDate date = DateOf(dateField);
    if (!date.isValid())
        return Skip(line, QStringLiteral("\"%1\" is not a date").arg(Shown(dateField)));
    if (date < TimeBase::ToDate(0) || date > TimeBase::ToDate(m_today))
        return Skip(line, QStringLiteral("%1 is %2")
                              .arg(Shown(dateField), date < TimeBase::ToDate(0)
                                                         ? QStringLiteral("too long ago")
                                                         : QStringLiteral("after today")));
    const TimeBase::Stamp day = TimeBase::FromDate(date);

    const QString weightField = m_weightColumn >= 0 ? row.value(m_weightColumn) : QString();
    if (weightField.trimmed().isEmpty())
        return Skip(line, QStringLiteral("no weight"));
    Reading reading;
    if (!ReadNumber(weightField, &reading))
        return Skip(line, QStringLiteral("weight \"%1\" is not a number").arg(Shown(weightField)));
    Unit unit = reading.unit;
    if (unit == Unit::None && m_unitColumn >= 0) {
        const QString named = row.value(m_unitColumn).trimmed();
        unit = UnitOf(named);
        reading.unitText = named;
    }
    if (unit == Unit::Other)
        return Skip(line,
                    QStringLiteral("unit \"%1\" is not kg or lb").arg(Shown(reading.unitText)));
    if (unit == Unit::None && m_weightColumn < m_header.size())
        unit = HeaderUnit(m_header[m_weightColumn]);
    if (unit == Unit::None)
        unit = m_metric ? Unit::Kilograms : Unit::Pounds;

    // As if typed into the daily chart in the user's units: to the tenth, within its range. A
    // number in those units is rounded as written (81.45 to 81.5), not as a float.
    const bool fileMetric = unit == Unit::Kilograms;
    const double inUserUnits =
        fileMetric == m_metric
            ? reading.value
            : double(UserProfile::WeightForDisplay(
                  UserProfile::WeightFromDisplay(float(reading.value), fileMetric), m_metric));
    const float shown = float(std::round(inUserUnits * 10.0) / 10.0);
    const ProfileCheck::Limits limits =
        ProfileCheck::LimitsOf(ProfileCheck::Measure::Weight, m_metric);
    if (!limits.Holds(shown)) {
        QString number = weightField.trimmed();
        if (reading.unit == Unit::None)
            number += unit == Unit::Kilograms ? QStringLiteral(" kg") : QStringLiteral(" lb");
        return Skip(line, QStringLiteral("weight %1 is out of range (%2 to %3 %4)")
                              .arg(Shown(number))
                              .arg(limits.low)
                              .arg(limits.high)
                              .arg(QLatin1String(limits.unit)));
    }

    const auto first = m_firstLine.constFind(day);
    if (first != m_firstLine.constEnd())
        return Skip(line, QStringLiteral("%1 is on line %2 already")
                              .arg(TimeBase::ShortDateText(day))
                              .arg(first.value()));
    m_firstLine.insert(day, line);
    m_weights.push_back({day, UserProfile::WeightFromDisplay(shown, m_metric), line});
}

void WeightImport::KeepDaysOf(const ItemList& weights)
{
    QSet<TimeBase::Stamp> taken;
    for (int i = 0; i < weights.Count(); ++i)
        taken.insert(weights.At(i)->Day());
    std::vector<Weight> added;
    const int room = ItemList::kMaxItems - weights.Count();
    for (const Weight& weight : m_weights) {
        if (taken.contains(weight.day))
            m_kept.push_back(weight.day);
        else if (int(added.size()) < room)
            added.push_back(weight);
        else
            ++m_full;
    }
    m_weights = std::move(added);
}

QString WeightImport::Heading() const
{
    if (!m_weights.empty())
        return m_weights.size() == 1 ? QStringLiteral("Add 1 weight?")
                                     : QStringLiteral("Add %1 weights?").arg(m_weights.size());
    if (m_dateColumn < 0 || m_weightColumn < 0)
        return QStringLiteral("No weights found.");
    return QStringLiteral("Nothing to add.");
}

QString WeightImport::Report() const
{
    // Without the columns, every line would be skipped for the same reason.
    if (m_dateColumn < 0 || m_weightColumn < 0)
        return m_fileProblem;
    QStringList parts;
    if (!m_fileProblem.isEmpty())
        parts << m_fileProblem;
    if (!m_weights.empty()) {
        TimeBase::Stamp from = m_weights.front().day;
        TimeBase::Stamp to = from;
        for (const Weight& weight : m_weights) {
            from = std::min(from, weight.day);
            to = std::max(to, weight.day);
        }
        parts << (from == to
                      ? QStringLiteral("Adds the weight of %1.").arg(TimeBase::ShortDateText(from))
                      : QStringLiteral("Adds %1 weights, %2 to %3.")
                            .arg(m_weights.size())
                            .arg(TimeBase::ShortDateText(from), TimeBase::ShortDateText(to)));
    }
    if (!m_kept.empty()) {
        std::vector<TimeBase::Stamp> days = m_kept;
        std::sort(days.begin(), days.end());
        QStringList shown;
        for (size_t i = 0; i < days.size() && i < size_t(kMaxListed); ++i)
            shown << TimeBase::ShortDateText(days[i]);
        if (days.size() > size_t(kMaxListed))
            shown << QStringLiteral("and %1 more").arg(days.size() - size_t(kMaxListed));
        parts << (days.size() == 1 ? QStringLiteral("Keeps the weight you have for this day:")
                                   : QStringLiteral("Keeps the weights you have for these %1 days:")
                                         .arg(days.size())) +
                     u'\n' + shown.join(QStringLiteral(", "));
    }
    if (m_full > 0)
        parts << QStringLiteral("Leaves out %1 weights: the weights list holds at most %2.")
                     .arg(m_full)
                     .arg(ItemList::kMaxItems);
    if (m_skippedCount > 0) {
        QString skipped = m_skippedCount == 1
                              ? QStringLiteral("Skips 1 line:")
                              : QStringLiteral("Skips %1 lines:").arg(m_skippedCount);
        skipped += u'\n' + m_skipped.join(u'\n');
        if (m_skippedCount > kMaxListed)
            skipped += QStringLiteral("\nand %1 more.").arg(m_skippedCount - kMaxListed);
        parts << skipped;
    }
    if (parts.isEmpty())
        parts << QStringLiteral("The file has a header and no weights.");
    return parts.join(QStringLiteral("\n\n"));
}
