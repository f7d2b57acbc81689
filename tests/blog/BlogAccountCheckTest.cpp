#include "blog/BlogAccountCheck.h"

#include <gtest/gtest.h>

namespace {
const QString kName = QStringLiteral("\r\nUse simple blog name, like \"myblog\"");
const QString kEmail = QStringLiteral("\r\nEnter e-mail, registred in your blog");
const QString kPassword = QStringLiteral("\r\nPassword should not be empty");
} // namespace

TEST(BlogAccountCheck, ReportsEveryWrongFieldInOrder)
{
    const struct
    {
        const char* name;
        const char* email;
        const char* password;
        QString problems; // after "Use correct formats:"
    } cases[] = {
        {" http://MyBlog/ \a", "joe@example.com", "pw", {}},
        {"myblog.blogspot.com", "joe@example.com", "pw", kName},
        {"my blog", "joe@example.com", "pw", kName},
        {"a,b", "joe@example.com", "pw", kName},
        {"http://", "joe@example.com", "pw", kName},
        {"myblog", "joe@x@example.com", "pw", kEmail},
        {"myblog", "joe @example.com", "pw", kEmail},
        {"myblog", "joe,@example.com", "pw", kEmail},
        {"myblog", "joeexample.com", "pw", kEmail},
        {"myblog", "\t joe@localhost\r\n", "pw", {}}, // a single "@" and no dot will do
        {"myblog", "joe@example.com", " ", {}},
        {"", "", "", kName + kEmail + kPassword},
    };
    for (const auto& c : cases) {
        const BlogAccountCheck::Result result =
            BlogAccountCheck::Check(c.name, c.email, QString::fromLatin1(c.password));
        EXPECT_EQ(result.ok, c.problems.isEmpty()) << c.name << " " << c.email;
        if (!result.ok) {
            EXPECT_EQ(result.message, "Use correct formats:" + c.problems) << c.name;
        }
    }
    EXPECT_EQ(BlogAccountCheck::CleanBlogName(" http://MyBlog// \a"), "myblog");
    EXPECT_EQ(BlogAccountCheck::CleanEmail("\t joe@localhost\r\n"), "joe@localhost");
}

TEST(BlogAccountCheck, BlogAddressNeverLeavesTheBlogDomain)
{
    const QString domain = QStringLiteral(".blogs.example");
    const struct
    {
        const char* typed;
        const char* url; // empty: nothing to open
    } cases[] = {
        {"MyBlog", "http://myblog.blogs.example"},
        {" http://my-blog2/ ", "http://my-blog2.blogs.example"},
        {"http://evil.example/x?", ""},
        {"joe@evil.example", ""},
        {"evil.example#", ""},
        {"myblog:8080", ""},
        {"my blog", ""},
        {"-myblog", ""},
        {"my%2fblog", ""},
        {"javascript:alert(1)", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QUrl url = BlogAccountCheck::BlogUrl(QString::fromUtf8(c.typed), domain);
        EXPECT_EQ(url.toString(), QString::fromLatin1(c.url)) << c.typed;
    }
}
