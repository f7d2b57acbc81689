#include "export/CsvWriter.h"

void CsvWriter::WriteRow(const QStringList& fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_data += ',';
        WriteField(fields[i]);
    }
    m_data += "\r\n";
}

void CsvWriter::WriteField(const QString& text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r') {
            quoted = true;
            break;
        }
    }
    if (!quoted) {
        m_data += text.toUtf8();
        return;
    }
    m_data += '"';
    m_data += QString(text).replace(u'"', QStringLiteral("\"\"")).toUtf8();
    m_data += '"';
}
