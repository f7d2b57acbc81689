#include "blog/PostRequest.h"

#include "blog/PostProtocol.h"
#include "data/AnsiCodec.h"
#include "data/UserProfile.h"

#include <algorithm>

PostRequest::PostRequest(const UserProfile& account)
    : PostRequest(PostProtocol::JoinCredentials(PostProtocol::BlogAddress(account.BlogName()),
                                                account.BlogEmail(), account.BlogPassword()))
{
}

PostRequest::PostRequest(const QString& credentials)
    : m_auth(PostProtocol::EncodeAuth(credentials, PostProtocol::ScrambleKey()))
{
}

void PostRequest::AppendField(const QString& text)
{
    const QByteArray bytes = AnsiCodec::Encode(text);
    const qsizetype needed = m_body.size() + bytes.size() + 1;
    // Grows by at least 1 KiB so that a post of many small fields reallocates rarely.
    if (needed > m_body.capacity())
        m_body.reserve(std::max(needed, m_body.capacity() + 1024));
    m_body.append(bytes);
    m_body.append('\0');
}
