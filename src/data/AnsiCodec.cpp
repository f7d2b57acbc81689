#include "data/AnsiCodec.h"

#include <array>

namespace {

// 0x80..0x9F of Windows-1252; zero marks the undefined bytes, which map to themselves.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x0000, 0x017D, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,
};

char16_t DecodeByte(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F && kHighTable[b - 0x80] != 0)
        return kHighTable[b - 0x80];
    return b;
}

char EncodeUnit(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    if (c >= 0x80 && c <= 0x9F)
        return kHighTable[c - 0x80] == 0 ? static_cast<char>(c) : '?';
    for (size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

namespace AnsiCodec {

QString Decode(const char* bytes, qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < length; ++i)
        out[i] = QChar(DecodeByte(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray Encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page, one '?'
        bytes.append(EncodeUnit(c));
    }
    return bytes;
}

} // namespace AnsiCodec
