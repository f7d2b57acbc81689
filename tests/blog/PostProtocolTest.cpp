#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "data/AnsiCodec.h"
#include "data/UserProfile.h"

#include <gtest/gtest.h>

using PostProtocol::Code;

namespace {
QString Auth(const QString& credentials)
{
    return PostRequest(credentials).Auth();
}
QByteArray Decoded(const QString& auth)
{
    return PostProtocol::DecodeAuth(auth, PostProtocol::ScrambleKey());
}
} // namespace

TEST(PostProtocol, AnswerGivesResultAndMessage)
{
    const struct
    {
        const char* answer;
        std::uint32_t result;
        const char* message;
    } cases[] = {
        {"200 ok", 0x001900C8, "ok"},
        {"299 fine", 0x0019012B, "fine"},
        {"300 moved on", 0x8019012C, "moved on"},
        {"200 ", 0x001900C8, ""},
        {"", 0x80070057, "Wrong server response"},
        {"200", 0x80070057, "Wrong server response"},
        {"abc def ghi", 0x8000FFFF, "def ghi"},
        {" 200 late", 0x8000FFFF, "200 late"},
        {"201x made", 0x001900C9, "made"},      // digits followed by others read as the digits
        {"99999999999 big", 0xFFFFFFFF, "big"}, // too large a number saturates and fails
    };
    for (const auto& c : cases) {
        const PostProtocol::Outcome outcome = PostProtocol::JudgeResponse(c.answer);
        EXPECT_EQ(outcome.result, Code(c.result)) << c.answer;
        EXPECT_EQ(outcome.message, QString::fromLatin1(c.message)) << c.answer;
    }
}

// The texts inside the ranges are also seen through the transfer tests.
TEST(PostProtocol, ErrorAndProgressTextsCoverTheirRangesOnly)
{
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0002)), "The URL could not be parsed");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0016)),
              "The requested resource could not be locked");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0001)), "Unknown Error (code 0x800c0001)");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0017)), "Unknown Error (code 0x800c0017)");
    EXPECT_EQ(PostProtocol::ErrorText(PostProtocol::kAborted), "Unknown Error (code 0x80004004)");
    EXPECT_EQ(QStringList({PostProtocol::ProgressText(1), PostProtocol::ProgressText(14),
                           PostProtocol::ProgressText(0), PostProtocol::ProgressText(15)}),
              QStringList({"Finding resource...", "Cache file name available...", "", ""}));
}

TEST(PostRequest, AuthIsCredentialsInCodePageXoredWithKeyInBase64OnOneLine)
{
    ASSERT_EQ(PostProtocol::ScrambleKey(), 0x5A);
    // 'a' ^ 0x5A = 0x3B, 'b' ^ 0x5A = 0x38, 'c' ^ 0x5A = 0x39.
    // Windows-1252, not UTF-8: e-acute is the one byte 0xE9, and 0xE9 ^ 0x5A = 0xB3.
    EXPECT_EQ(QStringList({Auth("a"), Auth("ab"), Auth("abc"), Auth("\u00e9"), Auth("")}),
              QStringList({"Ow==", "Ozg=", "Ozg5", "sw==", ""}));

    const QString longAuth = Auth(QString(100, u'x'));
    EXPECT_EQ(longAuth.size(), (100 + 2) / 3 * 4); // no line breaks
    EXPECT_EQ(Decoded(longAuth), QByteArray(100, 'x'));
}

TEST(PostRequest, AccountCredentialsAreBlogAddressEmailAndPassword)
{
    UserProfile profile;
    profile.SetBlogName(QStringLiteral("myblog"));
    profile.SetBlogEmail(QStringLiteral("joe@example.com"));
    profile.SetBlogPassword(QStringLiteral("p w"));
    EXPECT_EQ(Decoded(PostRequest(profile).Auth()),
              QByteArray("myblog.localhost:8780 joe@example.com p w"));
}

TEST(PostRequest, FieldsAreCodePageBytesEachEndingInZero)
{
    PostRequest request(QStringLiteral("x"));
    request.AppendField(QStringLiteral("Caf\u00e9 \u20ac5"));
    request.AppendField(QString());
    request.AppendField(QStringLiteral("\u2192"));
    EXPECT_EQ(request.Body(), QByteArray("Caf\xE9 \x80"
                                         "5\0\0?\0",
                                         11));
}

TEST(PostRequest, ProxyAddressComesFromEnvironmentWhenSet)
{
    qunsetenv("NUTRAVA_PROXY_URL");
    // By default the program posts to nutrava-proxy on this machine.
    EXPECT_EQ(PostProtocol::PostUrl(), QStringLiteral("http://127.0.0.1:8780/post"));
    qputenv("NUTRAVA_PROXY_URL", "http://127.0.0.1:9/");
    EXPECT_EQ(PostProtocol::TestUrl(), QStringLiteral("http://127.0.0.1:9/test"));
    qunsetenv("NUTRAVA_PROXY_URL");
}

TEST(PostProtocol, ProxyReadsBackWhatTheClientWrites)
{
    const struct
    {
        const char* credentials;
        QStringList split; // empty: refused
    } cases[] = {
        {"myblog.localhost:8780 joe@example.com pw",
         {"myblog.localhost:8780", "joe@example.com", "pw"}},
        {"a b p w ", {"a", "b", "p w "}}, // the password may hold spaces
        {"a b ", {"a", "b", ""}},
        {"a b", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto split = PostProtocol::SplitCredentials(Decoded(Auth(c.credentials)));
        EXPECT_EQ(split ? QStringList({split->blogAddress, split->email, split->password})
                        : QStringList(),
                  c.split)
            << c.credentials;
    }

    PostRequest request(QStringLiteral("x"));
    for (const QString& field : {QStringLiteral("Caf\u00e9"), QString(), QStringLiteral("<b>")})
        request.AppendField(field);
    EXPECT_EQ(PostProtocol::SplitFields(request.Body()), QStringList({"Caf\u00e9", "", "<b>"}));
    EXPECT_EQ(PostProtocol::SplitFields({}), QStringList());
    EXPECT_FALSE(PostProtocol::SplitFields(QByteArray("title\0text", 10)));

    const QByteArray answer = PostProtocol::Answer(401, QStringLiteral("Caf\u00e9 \u2192"));
    EXPECT_EQ(answer, "401 Caf\xE9 ?");
    EXPECT_EQ(PostProtocol::JudgeResponse(AnsiCodec::Decode(answer)).message, "Caf\u00e9 ?");
}
