#include "proxy/HtmlText.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <utility>

namespace HtmlText {

namespace {

// Where each kept element may appear; br is empty and never closed.
struct KeptTag
{
    QLatin1StringView name;
    QLatin1StringView parent; // empty: anywhere outside a table, or in a cell
};
constexpr std::array<KeptTag, 6> kKeptTags = {{
    {QLatin1StringView("table"), {}},
    {QLatin1StringView("tr"), QLatin1StringView("table")},
    {QLatin1StringView("th"), QLatin1StringView("tr")},
    {QLatin1StringView("td"), QLatin1StringView("tr")},
    {QLatin1StringView("b"), {}},
    {QLatin1StringView("br"), {}},
}};

const KeptTag* FindTag(QStringView name)
{
    for (const KeptTag& tag : kKeptTags) {
        if (name.compare(tag.name, Qt::CaseInsensitive) == 0)
            return &tag;
    }
    return nullptr;
}

// Text may stand at the top level and in cells, not directly inside a table or a row.
bool TakesContent(const QList<const KeptTag*>& open)
{
    return open.isEmpty() || (open.back()->name != QStringLiteral("table") &&
                              open.back()->name != QStringLiteral("tr"));
}

QString EscapeText(const QString& text, bool attribute)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += attribute ? QStringLiteral("&quot;") : QStringLiteral("\"");
            break;
        case u'\'':
            out += attribute ? QStringLiteral("&#39;") : QStringLiteral("'");
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

QString Escape(const QString& text)
{
    return EscapeText(text, false);
}

QString EscapeAttribute(const QString& text)
{
    return EscapeText(text, true);
}

QString Summary(QStringView html, qsizetype length)
{
    static constexpr std::array<std::pair<QStringView, QChar>, 5> kEscapes = {{
        {u"&amp;", u'&'},
        {u"&lt;", u'<'},
        {u"&gt;", u'>'},
        {u"&quot;", u'"'},
        {u"&#39;", u'\''},
    }};
    QString out;
    const auto add = [&out](QChar c) {
        if (!c.isSpace())
            out += c;
        else if (!out.isEmpty() && !out.back().isSpace())
            out += u' ';
    };
    for (qsizetype at = 0; at < html.size() && out.size() <= length; ++at) {
        const QChar c = html[at];
        if (c == u'<') {
            const qsizetype end = html.indexOf(u'>', at);
            at = end < 0 ? html.size() : end;
            add(u' ');
            continue;
        }
        if (c == u'&') {
            const auto escape = std::ranges::find_if(
                kEscapes, [&](const auto& e) { return html.sliced(at).startsWith(e.first); });
            if (escape != kEscapes.end()) {
                add(escape->second);
                at += escape->first.size() - 1;
                continue;
            }
        }
        add(c);
    }
    if (out.size() <= length)
        return out.trimmed();
    // Cut between words where there is a space to cut at.
    const qsizetype keep = std::max<qsizetype>(0, length - 3);
    const qsizetype space = out.at(keep).isSpace() ? keep : out.lastIndexOf(u' ', keep);
    return out.left(space > 0 ? space : keep).trimmed() + QStringLiteral("...");
}

QString FromPlainText(const QString& text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return Escape(normalised).replace(u'\n', QStringLiteral("<br>\n"));
}

bool IsTable(const QString& text)
{
    return text.trimmed().startsWith(QStringLiteral("<table>"), Qt::CaseInsensitive);
}

QString KeepTableTags(const QString& html)
{
    // A tag is kept only in its bare form: "<name>", "</name>" or "<br/>".
    static const QRegularExpression tagPattern(QStringLiteral("<(/?)([A-Za-z]{1,5})\\s*(/?)>"));
    QString out;
    QList<const KeptTag*> open;
    qsizetype at = 0;
    const auto keepText = [&](qsizetype from, qsizetype to) {
        const QString text = html.mid(from, to - from);
        // Stray text between rows would be moved out of the table by a browser; drop blanks
        // there and escape the rest where it stands.
        if (TakesContent(open) || !text.trimmed().isEmpty())
            out += Escape(text);
    };
    QRegularExpressionMatchIterator matches = tagPattern.globalMatch(html);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const KeptTag* tag = FindTag(match.capturedView(2));
        const bool closing = !match.capturedView(1).isEmpty();
        const bool selfClosing = !match.capturedView(3).isEmpty();
        bool kept = false;
        if (tag && tag->name == QStringLiteral("br")) {
            kept = !closing && TakesContent(open);
            if (kept) {
                keepText(at, match.capturedStart());
                out += QStringLiteral("<br>");
            }
        } else if (tag && !selfClosing && closing) {
            kept = !open.isEmpty() && open.back() == tag;
            if (kept) {
                keepText(at, match.capturedStart());
                out += QStringLiteral("</") + QString(tag->name) + u'>';
                open.removeLast();
            }
        } else if (tag && !selfClosing) {
            const bool fits = tag->parent.isEmpty()
                                  ? TakesContent(open)
                                  : !open.isEmpty() && open.back()->name == tag->parent;
            // Bold text stays inside its cell: it never holds a table.
            kept = fits && !(tag->name == QStringLiteral("table") && !open.isEmpty() &&
                             open.back()->name == QStringLiteral("b"));
            if (kept) {
                keepText(at, match.capturedStart());
                out += u'<' + QString(tag->name) + u'>';
                open.append(tag);
            }
        }
        if (kept)
            at = match.capturedEnd();
    }
    keepText(at, html.size());
    while (!open.isEmpty())
        out += QStringLiteral("</") + QString(open.takeLast()->name) + u'>';
    return out;
}

} // namespace HtmlText
