#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes comma-separated text as RFC 4180 has it, in UTF-8: a field holding a comma, a quote or
// a line break is quoted (with "" for a quote) and every row ends in CRLF. CsvReader reads it.
class CsvWriter final
{
public:
    void WriteRow(const QStringList& fields);
    const QByteArray& Data() const { return m_data; }

private:
    void WriteField(const QString& text);

    QByteArray m_data;
};
