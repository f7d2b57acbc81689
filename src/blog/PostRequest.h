#pragma once

#include <QByteArray>
#include <QString>

class UserProfile;

// One request to the posting proxy: the Auth header value, computed once, and the body of
// NUL-terminated Windows-1252 fields.
class PostRequest final
{
public:
    // From the profile's blog account.
    explicit PostRequest(const UserProfile& account);
    // From credentials already joined by the caller (PostProtocol::JoinCredentials).
    explicit PostRequest(const QString& credentials);

    // Appends the text in Windows-1252 and one zero byte; an empty text appends the zero alone.
    void AppendField(const QString& text);

    const QString& Auth() const { return m_auth; }
    const QByteArray& Body() const { return m_body; }

private:
    QString m_auth;
    QByteArray m_body;
};
