#include "export/CsvReader.h"

#include <QFile>

bool CsvReader::Parse(const QString& text, std::vector<QStringList>& rows, QString* error)
{
    return Parse(
        text, u',',
        [&rows](const QStringList& row, int) {
            rows.push_back(row);
            return true;
        },
        error);
}

bool CsvReader::Parse(const QString& text, QChar separator, const RowSink& take, QString* error)
{
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty() && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            row.append(field);
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            row.append(field);
            if (!take(row, rowLine))
                return true;
            row.clear();
            field.clear();
            fieldStarted = false;
            rowLine = ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        if (error)
            *error = QStringLiteral("a quote opened on line %1 is never closed").arg(quoteLine);
        return false;
    }
    if (fieldStarted || !row.isEmpty()) {
        row.append(field);
        take(row, rowLine);
    }
    return true;
}

bool CsvReader::Read(const QString& path, QString* error)
{
    m_header.clear();
    m_rows.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    std::vector<QStringList> rows;
    QString why;
    if (!Parse(QString::fromUtf8(file.readAll()), rows, &why)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    if (rows.empty()) {
        if (error)
            *error = QStringLiteral("%1: no header").arg(path);
        return false;
    }
    m_header = rows.front();
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].size() != m_header.size()) {
            if (error)
                *error = QStringLiteral("%1: row %2 has %3 fields, the header %4")
                             .arg(path)
                             .arg(i + 1)
                             .arg(rows[i].size())
                             .arg(m_header.size());
            return false;
        }
        m_rows.push_back(std::move(rows[i]));
    }
    return true;
}
