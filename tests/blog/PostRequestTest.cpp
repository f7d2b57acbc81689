#include "blog/PostRequest.h"
#include "blog/PostProtocol.h"
#include "fitness/UserProfile.h"

#include <gtest/gtest.h>

namespace {
QString Auth(const char* credentials)
{
    return PostRequest(QString::fromUtf8(credentials)).Auth();
}
} // namespace

TEST(PostRequest, AuthIsCredentialsInCodePageXoredWithKeyInBase64)
{
    ASSERT_EQ(PostProtocol::ScrambleKey(), 0x5A);
    // 'a' ^ 0x5A = 0x3B, 'b' ^ 0x5A = 0x38, 'c' ^ 0x5A = 0x39.
    EXPECT_EQ(Auth("a"), QStringLiteral("Ow=="));
    EXPECT_EQ(Auth("ab"), QStringLiteral("Ozg="));
    EXPECT_EQ(Auth("abc"), QStringLiteral("Ozg5"));
    // Windows-1252, not UTF-8: e-acute is the one byte 0xE9, and 0xE9 ^ 0x5A = 0xB3.
    EXPECT_EQ(Auth("\xC3\xA9"), QStringLiteral("sw=="));
    EXPECT_EQ(Auth(""), QString());
}

TEST(PostRequest, LongAuthHasNoLineBreaks)
{
    const QString credentials(100, u'x');
    const QString auth = PostRequest(credentials).Auth();
    EXPECT_EQ(auth.size(), (100 + 2) / 3 * 4);
    EXPECT_FALSE(auth.contains(u'\n'));
    EXPECT_EQ(PostProtocol::DecodeAuth(auth, PostProtocol::ScrambleKey()), credentials.toLatin1());
}

TEST(PostRequest, AccountCredentialsAreBlogAddressEmailAndPassword)
{
    UserProfile profile;
    profile.SetBlogName(QStringLiteral("myblog"));
    profile.SetBlogEmail(QStringLiteral("joe@example.com"));
    profile.SetBlogPassword(QStringLiteral("p w"));
    const PostRequest request(profile);
    EXPECT_EQ(PostProtocol::DecodeAuth(request.Auth(), PostProtocol::ScrambleKey()),
              QByteArray("myblog.blogspot.com joe@example.com p w"));
    EXPECT_TRUE(request.Body().isEmpty());
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
    EXPECT_EQ(PostProtocol::PostUrl(), QStringLiteral("http://post.nutrava.net:8080/post"));
    qputenv("NUTRAVA_PROXY_URL", "http://127.0.0.1:9/");
    EXPECT_EQ(PostProtocol::TestUrl(), QStringLiteral("http://127.0.0.1:9/test"));
    qunsetenv("NUTRAVA_PROXY_URL");
}
