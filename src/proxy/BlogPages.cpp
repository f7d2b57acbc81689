#include "proxy/BlogPages.h"

#include "proxy/HtmlText.h"

#include <QRegularExpression>

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
           HtmlText::Escape(blog) + QStringLiteral("\">\n");
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

} // namespace

QString PageName(int number)
{
    return QString::number(number) + QStringLiteral(".html");
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
        QStringLiteral("<p class=\"meta\"><a href=\"feed.atom\">Atom feed</a></p>\n");
    return Page(blog, FeedLink(blog), body).toUtf8();
}

QByteArray Feed(const QString& blog, const QList<BlogPost>& posts)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2005/Atom"));
    writer.writeStartElement(QStringLiteral("feed"));
    writer.writeTextElement(QStringLiteral("title"), blog);
    writer.writeTextElement(QStringLiteral("id"), QStringLiteral("urn:nutrava-blog:") + blog);
    const QDateTime updated =
        posts.isEmpty() ? QDateTime::fromSecsSinceEpoch(0, Qt::UTC) : posts.back().published;
    writer.writeTextElement(QStringLiteral("updated"), updated.toString(Qt::ISODate));
    writer.writeEmptyElement(QStringLiteral("link"));
    writer.writeAttribute(QStringLiteral("rel"), QStringLiteral("alternate"));
    writer.writeAttribute(QStringLiteral("href"), QStringLiteral("index.html"));
    const qsizetype first = std::max<qsizetype>(0, posts.size() - kFeedEntries);
    for (qsizetype i = posts.size() - 1; i >= first; --i) {
        const BlogPost& post = posts[i];
        writer.writeStartElement(QStringLiteral("entry"));
        writer.writeTextElement(QStringLiteral("title"), post.title);
        writer.writeTextElement(QStringLiteral("id"), post.id);
        writer.writeTextElement(QStringLiteral("published"), post.published.toString(Qt::ISODate));
        writer.writeTextElement(QStringLiteral("updated"), post.published.toString(Qt::ISODate));
        writer.writeStartElement(QStringLiteral("author"));
        writer.writeTextElement(QStringLiteral("name"), Author(post));
        writer.writeEndElement();
        writer.writeEmptyElement(QStringLiteral("link"));
        writer.writeAttribute(QStringLiteral("rel"), QStringLiteral("alternate"));
        writer.writeAttribute(QStringLiteral("href"), PageName(post.number));
        writer.writeStartElement(QStringLiteral("content"));
        writer.writeAttribute(QStringLiteral("type"), QStringLiteral("html"));
        writer.writeCharacters(post.html);
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
        const QString name = HtmlText::Escape(blog);
        list += QStringLiteral("<li><a href=\"") + name + QStringLiteral("/\">") + name +
                QStringLiteral("</a></li>\n");
    }
    return Page(QStringLiteral("Blogs"), {},
                QStringLiteral("<h1>Blogs</h1>\n") +
                    (blogs.isEmpty() ? QStringLiteral("<p>No blogs yet.</p>\n")
                                     : QStringLiteral("<ul>\n") + list + QStringLiteral("</ul>\n")))
        .toUtf8();
}

bool IsPageName(QStringView name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(index\\.html|feed\\.atom|[1-9][0-9]{0,8}\\.html)$"));
    return pattern.match(name).hasMatch();
}

} // namespace BlogPages
