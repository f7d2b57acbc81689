#include "commands/CommandText.h"

#include <algorithm>

namespace {
// With "Undo " and the shortcut, the longest that fits the menu of the narrowest screen.
constexpr qsizetype kLongestText = 26;

QString Counted(const QString& verb, int count, const QString& firstName)
{
    if (count == 1)
        return CommandText::Named(verb, firstName);
    return QStringLiteral("%1 %2 Items").arg(verb).arg(count);
}
} // namespace

namespace CommandText {

QString Named(const QString& verb, const QString& name)
{
    const QString shown = name.simplified();
    if (shown.isEmpty())
        return verb;
    const qsizetype room = std::max<qsizetype>(kLongestText - verb.size() - 1, 8);
    if (shown.size() <= room)
        return verb + u' ' + shown;
    // Cut after a whole word where one ends late enough, without the punctuation after it.
    QString cut = shown.left(room - 3);
    if (const qsizetype space = cut.lastIndexOf(u' '); space > room / 2)
        cut.truncate(space);
    while (!cut.isEmpty() && (cut.back().isPunct() || cut.back().isSpace()))
        cut.chop(1);
    return verb + u' ' + cut + QStringLiteral("...");
}

QString Deleted(int count, const QString& firstName)
{
    return Counted(QStringLiteral("Delete"), count, firstName);
}

QString Copied(int count, const QString& firstName)
{
    return Counted(QStringLiteral("Copy"), count, firstName);
}

} // namespace CommandText
