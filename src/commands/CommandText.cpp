#include "commands/CommandText.h"

namespace {
constexpr qsizetype kLongestName = 24;
}

namespace CommandText {

QString Named(const QString& verb, const QString& name)
{
    const QString shown = name.simplified();
    if (shown.isEmpty())
        return verb;
    if (shown.size() <= kLongestName)
        return verb + u' ' + shown;
    // Cut after a whole word where one ends late enough.
    QString cut = shown.left(kLongestName - 3);
    if (const qsizetype space = cut.lastIndexOf(u' '); space > kLongestName / 2)
        cut.truncate(space);
    return verb + u' ' + cut.trimmed() + QStringLiteral("...");
}

QString Deleted(int count, const QString& firstName)
{
    if (count == 1)
        return Named(QStringLiteral("Delete"), firstName);
    return QStringLiteral("Delete %1 Items").arg(count);
}

} // namespace CommandText
