#include "proxy/BlogPages.h"

#include "proxy/HtmlText.h"

#include <QXmlStreamWriter>

namespace BlogPages {

namespace {

constexpr char kStyle[] =
    "body{font-family:sans-serif;max-width:42em;margin:1em auto;padding:0 1em;color:#222}"
    "h1{font-size:1.5em}.meta{color:#666;font-size:.9em}"
    "table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:.2em .6em}"
    "li{margin:.3em 0}";

QString Page(const QString& title, const QString& head, const QString& body)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>") +
           HtmlText::Escape(title) + QStringLiteral("</title>\n<style>") +
           QLatin1StringView(kStyle) + QStringLiteral("</style>\n") + head +
           QStringLiteral("</head>\n<body>\n") + body + QStringLiteral("</body>\n</html>\n");
}

QString FeedLink(const QString& blog)
{
    return QStringLiteral("<link rel=\"alternate\" type=\"application/atom+xml\" "
                          "href=\"feed.atom\" title=\"") +
           HtmlText::EscapeAttribute(blog) + QStringLiteral("\">\n");
}

QString Author(const BlogPost& post)
{
    return post.author.trimmed().isEmpty() ? QStringLiteral("Anonymous") : post.author;
}

QString When(const BlogPost& post)
{
    return QStringLiteral("<time datetime=\"") + post.published.toString(Qt::ISODate) +
           QStringLiteral("\">") +
           post.published.toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'")) +
           QStringLiteral("</time>");
}

// The number in name between prefix and suffix, written as the pages write it; 0 otherwise.
int NumberBetween(QStringView name, QStringView prefix, QStringView suffix, qsizetype maxDigits)
{
    if (!name.startsWith(prefix) || !name.endsWith(suffix))
        return 0;
    const QStringView digits =
        name.sliced(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.isEmpty() || digits.size() > maxDigits || digits.front() == u'0')
        return 0;
    int number = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

// The posts, newest first, with the links below them.
QByteArray ListPage(const QString& blog, const QString& title, const QList<BlogPost>& posts,
                    const QString& links)
{
    QString list;
    for (auto it = posts.crbegin(); it != posts.crend(); ++it) {
        list += QStringLiteral("<li><a href=\"") + PageName(it->number) + QStringLiteral("\">") +
                HtmlText::Escape(it->title) + QStringLiteral("</a> <span class=\"meta\">") +
                HtmlText::Escape(Author(*it)) + QStringLiteral(", ") + When(*it) +
                QStringLiteral("</span></li>\n");
    }
    const QString body =
        QStringLiteral("<h1>") + HtmlText::Escape(blog) + QStringLiteral("</h1>\n") +
        (posts.isEmpty() ? QStringLiteral("<p>No posts yet.</p>\n")
                         : QStringLiteral("<ul>\n") + list + QStringLiteral("</ul>\n")) +
        QStringLiteral("<p class=\"meta\">") + links + QStringLiteral("</p>\n");
    return Page(title, FeedLink(blog), body).toUtf8();
}

QString Link(const QString& href, const QString& text)
{
    return QStringLiteral("<a href=\"") + href + QStringLiteral("\">") + text +
           QStringLiteral("</a>");
}

QString OlderLink(int page)
{
    return page > 0 ? Link(ArchiveName(page), QStringLiteral("Older posts")) +
                          QStringLiteral(" &middot; ")
                    : QString();
}

} // namespace

QString PageName(int number)
{
    return QString::number(number) + QStringLiteral(".html");
}

QString ArchiveName(int page)
{
    return QStringLiteral("page-") + QString::number(page) + QStringLiteral(".html");
}

int PageNumber(QStringView name)
{
    return NumberBetween(name, {}, u".html", 9);
}

int ArchiveNumber(QStringView name)
{
    return NumberBetween(name, u"page-", u".html", 8);
}

bool IsPageName(QStringView name)
{
    return name == u"index.html" || name == u"feed.atom" || PageNumber(name) > 0 ||
           ArchiveNumber(name) > 0;
}

int IndexFirst(int newest)
{
    const int fullPages = newest / kPostsPerPage;
    return fullPages < 2 ? 1 : (fullPages - 1) * kPostsPerPage + 1;
}

BlogPost Listed(BlogPost post)
{
    if (post.html.size() > kMaxFeedHtml) {
        post.summary = HtmlText::Summary(post.html, kSummaryLength);
        post.html.clear();
    }
    return post;
}

QByteArray PostPage(const QString& blog, const BlogPost& post)
{
    const QString body =
        QStringLiteral("<p><a href=\"index.html\">") + HtmlText::Escape(blog) +
        QStringLiteral("</a></p>\n<article>\n<h1>") + HtmlText::Escape(post.title) +
        QStringLiteral("</h1>\n<p class=\"meta\">") + HtmlText::Escape(Author(post)) +
        QStringLiteral(", ") + When(post) + QStringLiteral("</p>\n<div class=\"post\">\n") +
        post.html + QStringLiteral("\n</div>\n</article>\n");
    return Page(post.title + QStringLiteral(" - ") + blog, FeedLink(blog), body).toUtf8();
}

QByteArray IndexPage(const QString& blog, const QList<BlogPost>& posts)
{
    const int older = posts.isEmpty() ? 0 : (posts.front().number - 1) / kPostsPerPage;
    return ListPage(blog, blog, posts,
                    OlderLink(older) +
                        Link(QStringLiteral("feed.atom"), QStringLiteral("Atom feed")));
}

QByteArray ArchivePage(const QString& blog, int page, const QList<BlogPost>& posts)
{
    return ListPage(blog, blog + QStringLiteral(" - page ") + QString::number(page), posts,
                    OlderLink(page - 1) +
                        Link(QStringLiteral("index.html"), QStringLiteral("Newest posts")));
}

QByteArray Feed(const QString& blog, const QString& id, const QList<BlogPost>& posts)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2005/Atom"));
    writer.writeStartElement(QStringLiteral("feed"));
    writer.writeTextElement(QStringLiteral("title"), blog);
    writer.writeTextElement(QStringLiteral("id"), id);
    const QDateTime updated =
        posts.isEmpty() ? QDateTime::fromSecsSinceEpoch(0, Qt::UTC) : posts.back().published;
    writer.writeTextElement(QStringLiteral("updated"), updated.toString(Qt::ISODate));
    const auto link = [&writer](const QString& rel, const QString& href) {
        writer.writeEmptyElement(QStringLiteral("link"));
        writer.writeAttribute(QStringLiteral("rel"), rel);
        writer.writeAttribute(QStringLiteral("href"), href);
    };
    link(QStringLiteral("self"), QStringLiteral("feed.atom"));
    link(QStringLiteral("alternate"), QStringLiteral("index.html"));
    const qsizetype first = std::max<qsizetype>(0, posts.size() - kFeedEntries);
    for (qsizetype i = posts.size() - 1; i >= first; --i) {
        const BlogPost post = Listed(posts[i]);
        writer.writeStartElement(QStringLiteral("entry"));
        writer.writeTextElement(QStringLiteral("title"), post.title);
        writer.writeTextElement(QStringLiteral("id"), post.id);
        writer.writeTextElement(QStringLiteral("published"), post.published.toString(Qt::ISODate));
        writer.writeTextElement(QStringLiteral("updated"), post.published.toString(Qt::ISODate));
        writer.writeStartElement(QStringLiteral("author"));
        writer.writeTextElement(QStringLiteral("name"), Author(post));
        writer.writeEndElement();
        link(QStringLiteral("alternate"), PageName(post.number));
        if (!post.summary.isEmpty()) {
            writer.writeStartElement(QStringLiteral("summary"));
            writer.writeAttribute(QStringLiteral("type"), QStringLiteral("text"));
            writer.writeCharacters(post.summary);
        } else {
            // As it is: escaping the html once more would nearly double its size.
            writer.writeStartElement(QStringLiteral("content"));
            writer.writeAttribute(QStringLiteral("type"), QStringLiteral("html"));
            writer.writeCDATA(post.html);
        }
        writer.writeEndElement();
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

QByteArray BlogList(const QStringList& blogs)
{
    QString list;
    for (const QString& blog : blogs) {
        list += QStringLiteral("<li><a href=\"") + HtmlText::EscapeAttribute(blog) +
                QStringLiteral("/\">") + HtmlText::Escape(blog) + QStringLiteral("</a></li>\n");
    }
    return Page(QStringLiteral("Blogs"), {},
                QStringLiteral("<h1>Blogs</h1>\n") +
                    (blogs.isEmpty() ? QStringLiteral("<p>No blogs yet.</p>\n")
                                     : QStringLiteral("<ul>\n") + list + QStringLiteral("</ul>\n")))
        .toUtf8();
}

} // namespace BlogPages
