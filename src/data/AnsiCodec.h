#pragma once

#include <QByteArray>
#include <QString>

// The one place that converts between UTF-16 and the 8-bit code page of the database files
// (Windows-1252). Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined there; they read as the
// C1 control of the same value so that no byte is lost on a round trip. Characters the code
// page cannot hold are written as '?'.
namespace AnsiCodec {

QString Decode(const char* bytes, qsizetype length);
inline QString Decode(const QByteArray& bytes)
{
    return Decode(bytes.constData(), bytes.size());
}
QByteArray Encode(const QString& text);

} // namespace AnsiCodec
