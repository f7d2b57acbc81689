#include "proxy/BlogName.h"
#include "proxy/HtmlText.h"

#include <gtest/gtest.h>

TEST(HtmlText, TableKeepsBareTableTagsAndEscapesEverythingElse)
{
    const struct
    {
        const char* posted;
        const char* shown;
    } cases[] = {
        // The daily chart's own table, as the program posts it.
        {"<table><tr><td>Today's Calories</td><td>-250</td></tr></table>",
         "<table><tr><td>Today's Calories</td><td>-250</td></tr></table>"},
        {"<TABLE><tr><th>A</th></tr></TABLE>", "<table><tr><th>A</th></tr></table>"},
        {"<table><tr><td><b>1</b><br/>2</td></tr></table>",
         "<table><tr><td><b>1</b><br>2</td></tr></table>"},
        // Attributes, other tags and comments are text.
        {"<table onclick=\"x()\"><tr><td>1</td></tr></table>",
         "&lt;table onclick=\"x()\"&gt;&lt;tr&gt;&lt;td&gt;1&lt;/td&gt;&lt;/tr&gt;&lt;/"
         "table&gt;"},
        {"<table><tr><td><script>alert(1)</script></td></tr></table>",
         "<table><tr><td>&lt;script&gt;alert(1)&lt;/script&gt;</td></tr></table>"},
        {"<table><tr><td><img src=x onerror=y></td></tr></table>",
         "<table><tr><td>&lt;img src=x onerror=y&gt;</td></tr></table>"},
        {"<table><!-- <tr> --></table>", "<table>&lt;!-- <tr> --&gt;&lt;/table&gt;</tr></table>"},
        // Misplaced or unbalanced tags cannot break out of the post.
        {"<table><td>1</td></table>", "<table>&lt;td&gt;1&lt;/td&gt;</table>"},
        {"<table><tr><td>1</table></body><p>", "<table><tr><td>1&lt;/table&gt;&lt;/body&gt;"
                                               "&lt;p&gt;</td></tr></table>"},
        {"</td></tr></table><table>", "&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;<table></table>"},
        {"<table><tr><td>&amp;\"</td></tr></table>",
         "<table><tr><td>&amp;amp;\"</td></tr></table>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlText::KeepTableTags(QString::fromUtf8(c.posted)), c.shown) << c.posted;
}

TEST(HtmlText, PlainTextIsEscapedWithLineBreaksKept)
{
    // Quotes mean something in attribute values only: in text they would take six times the room.
    EXPECT_EQ(HtmlText::FromPlainText("<b>x</b> & \"'y'\"\r\nz\n"),
              "&lt;b&gt;x&lt;/b&gt; &amp; \"'y'\"<br>\nz<br>\n");
    EXPECT_EQ(HtmlText::EscapeAttribute("<a & \"b\" 'c'>"),
              "&lt;a &amp; &quot;b&quot; &#39;c&#39;&gt;");
    EXPECT_TRUE(HtmlText::IsTable(" <table><tr>"));
    EXPECT_FALSE(HtmlText::IsTable("Lunch <table>"));
}

TEST(HtmlText, SummaryIsTheStartOfTheTextOfABody)
{
    const struct
    {
        const char* html;
        qsizetype length;
        const char* summary;
    } cases[] = {
        {"Soup &amp; bread<br>\nthen a &quot;walk&quot; &#39;home&#39; &lt;b&gt;", 100,
         "Soup & bread then a \"walk\" 'home' <b>"},
        {"<table><tr><td>Weight</td><td>154</td></tr></table>", 100, "Weight 154"},
        {"one two three four", 12, "one two..."},
        {"&amp;&amp;&amp;&amp;&amp;&amp;", 5, "&&..."},
        {"unclosed <tag", 100, "unclosed"},
        {"&unknown; &", 100, "&unknown; &"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmlText::Summary(QString::fromUtf8(c.html), c.length), c.summary) << c.html;
}

TEST(BlogName, OnlySimpleNamesFromAddressesAndHosts)
{
    const struct
    {
        const char* address;
        const char* fromAddress;
        const char* fromHost;
    } cases[] = {
        {"myblog.localhost:8780", "myblog", "myblog"},
        {"MyBlog.localhost", "myblog", "myblog"},
        {"my-blog2", "my-blog2", ""},
        {"localhost:8780", "", ""},
        {"127.0.0.1:8780", "127", ""},
        {"[::1]:8780", "", ""},
        {"../etc.localhost", "", ""},
        {"a/b.localhost", "", ""},
        {"-x.localhost", "", ""},
        {"caf\xc3\xa9.localhost", "", ""},
        {"a b.localhost", "", ""},
        {".localhost", "", ""},
        {"", "", ""},
        // The endpoints' names: "/post" could never reach such a blog's pages.
        {"post.localhost", "", ""},
        {"test.localhost", "", ""},
        {"posts.localhost", "posts", "posts"},
    };
    for (const auto& c : cases) {
        const QString address = QString::fromUtf8(c.address);
        EXPECT_EQ(BlogName::FromAddress(address), c.fromAddress) << c.address;
        EXPECT_EQ(BlogName::FromHost(address), c.fromHost) << c.address;
    }
    EXPECT_TRUE(BlogName::IsValid(QString(BlogName::kMaxLength, u'a')));
    EXPECT_FALSE(BlogName::IsValid(QString(BlogName::kMaxLength + 1, u'a')));
}
