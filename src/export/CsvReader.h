#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Reads comma-separated text (RFC 4180 quoting: "..." with "" for a quote, line breaks allowed
// inside quotes). The first row is the header.
class CsvReader final
{
public:
    // False and a reason (with the line number) when the file cannot be read or is malformed.
    bool Read(const QString& path, QString* error);
    static bool Parse(const QString& text, std::vector<QStringList>& rows, QString* error);

    const QStringList& Header() const { return m_header; }
    const std::vector<QStringList>& Rows() const { return m_rows; }
    // The column of a header name, -1 when absent.
    int Column(const QString& name) const { return int(m_header.indexOf(name)); }

private:
    QStringList m_header;
    std::vector<QStringList> m_rows;
};
