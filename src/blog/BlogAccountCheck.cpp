#include "blog/BlogAccountCheck.h"

namespace BlogAccountCheck {

namespace {

QString TrimmedOf(const QString& text, QStringView blanks)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && blanks.contains(text[first]))
        ++first;
    while (last > first && blanks.contains(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

bool IsHostLabel(const QString& name)
{
    if (name.isEmpty() || name.size() > 63 || name.startsWith(u'-') || name.endsWith(u'-'))
        return false;
    for (const QChar c : name) {
        const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
        if (!allowed)
            return false;
    }
    return true;
}

const QString kHeading = QStringLiteral("Use correct formats:");
const QString kBlogNameLine = QStringLiteral("\r\nUse simple blog name, like \"myblog\"");

} // namespace

QString BlogNameMessage()
{
    return kHeading + kBlogNameLine;
}

QString CleanBlogName(const QString& typed)
{
    QString name = TrimmedOf(typed, u" \t\n\a").toLower();
    if (name.startsWith(QLatin1String("http://")))
        name.remove(0, 7);
    while (name.endsWith(u'/'))
        name.chop(1);
    return name;
}

QString CleanEmail(const QString& typed)
{
    return TrimmedOf(typed, u" \t\n\r");
}

Result Check(const QString& typedBlogName, const QString& typedEmail, const QString& password)
{
    Result result;
    result.message = kHeading;
    const QString name = CleanBlogName(typedBlogName);
    if (name.isEmpty() || name.contains(u' ') || name.contains(u'/') || name.contains(u'.') ||
        name.contains(u',')) {
        result.ok = false;
        result.message += kBlogNameLine;
    }
    const QString email = CleanEmail(typedEmail);
    if (email.count(u'@') != 1 || email.contains(u' ') || email.contains(u',')) {
        result.ok = false;
        result.message += QStringLiteral("\r\nEnter e-mail, registred in your blog");
    }
    if (password.isEmpty()) {
        result.ok = false;
        result.message += QStringLiteral("\r\nPassword should not be empty");
    }
    return result;
}

QUrl BlogUrl(const QString& typedBlogName, const QString& domainSuffix)
{
    const QString name = CleanBlogName(typedBlogName);
    if (!IsHostLabel(name))
        return {};
    const QUrl url(QStringLiteral("http://") + name + domainSuffix, QUrl::StrictMode);
    if (!url.isValid() || !url.host().startsWith(name + u'.'))
        return {};
    return url;
}

} // namespace BlogAccountCheck
