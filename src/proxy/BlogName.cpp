#include "proxy/BlogName.h"

#include <QHostAddress>

namespace BlogName {

bool IsValid(QStringView name)
{
    if (name.isEmpty() || name.size() > kMaxLength || name.front() == u'-' || name.back() == u'-' ||
        name == u"post" || name == u"test")
        return false;
    for (QChar c : name) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-'))
            return false;
    }
    return true;
}

QString FromAddress(QStringView address)
{
    const qsizetype dot = address.indexOf(u'.');
    const QString name = (dot < 0 ? address : address.left(dot)).toString().toLower();
    return IsValid(name) ? name : QString();
}

QString FromHost(QStringView host)
{
    // A port follows the last colon; an IPv6 literal is bracketed and has no blog anyway.
    if (host.startsWith(u'['))
        return {};
    if (const qsizetype colon = host.lastIndexOf(u':'); colon >= 0)
        host = host.left(colon);
    if (QHostAddress().setAddress(host.toString()))
        return {};
    const qsizetype dot = host.indexOf(u'.');
    if (dot <= 0 || dot == host.size() - 1)
        return {};
    return FromAddress(host);
}

} // namespace BlogName
