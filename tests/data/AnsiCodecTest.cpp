#include "data/AnsiCodec.h"

#include <gtest/gtest.h>

TEST(AnsiCodec, EveryByteSurvivesARoundTripAsWindows1252)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(AnsiCodec::Encode(AnsiCodec::Decode(all)), all);
    // High bytes are Windows-1252.
    EXPECT_EQ(AnsiCodec::Decode(QByteArray("\x80\x99\xE9\xFF")), QString::fromUtf8("€™éÿ"));
    EXPECT_EQ(AnsiCodec::Encode(QString::fromUtf8("€ – “x”")), QByteArray("\x80 \x96 \x93x\x94"));
    // Undefined bytes read as the C1 control of the same value.
    EXPECT_EQ(AnsiCodec::Decode(QByteArray("\x81\x8D\x8F\x90\x9D")),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
}

TEST(AnsiCodec, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(AnsiCodec::Encode(QString::fromUtf8("Ωa😀b")), QByteArray("?a?b"));
    // A C1 control whose byte means something else in the code page is not that byte.
    EXPECT_EQ(AnsiCodec::Encode(QString::fromUtf16(u"\u0080")), QByteArray("?"));
}
