#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Reads comma-separated text (RFC 4180 quoting: "..." with "" for a quote, line breaks allowed
// inside quotes). The first row is the header.
class CsvReader final
{
public:
    // Gets each row with the line it starts on (from 1); false stops the reading.
    using RowSink = std::function<bool(const QStringList& row, int line)>;

    // False and a reason (with the line number) when the file cannot be read or is malformed.
    bool Read(const QString& path, QString* error);
    static bool Parse(const QString& text, std::vector<QStringList>& rows, QString* error);
    // Row by row, for text of any size, fields split at `separator`. A quote never closed is an
    // error naming the line it opened on; the rows before it have been taken.
    static bool Parse(const QString& text, QChar separator, const RowSink& take, QString* error);

    const QStringList& Header() const { return m_header; }
    const std::vector<QStringList>& Rows() const { return m_rows; }
    // The column of a header name, -1 when absent.
    int Column(const QString& name) const { return int(m_header.indexOf(name)); }

private:
    QStringList m_header;
    std::vector<QStringList> m_rows;
};
