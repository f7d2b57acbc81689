#pragma once

#include <QString>
#include <QStringView>

// Blog names as the proxy serves them. A name is also a host name label and a folder name, so
// only lower-case ASCII letters, digits and inner hyphens are allowed: nothing that could leave
// the blog folder or change the meaning of an address.
namespace BlogName {

inline constexpr qsizetype kMaxLength = 63;

// Also false for the names of the posting endpoints ("post", "test"), which a blog under a
// plain address ("/post") would be hidden behind.
bool IsValid(QStringView name);
// The blog of a blog address: its first dot-separated label, lower-cased ("myblog" from
// "myblog.localhost:8780"). Empty when that label is no valid name.
QString FromAddress(QStringView address);
// The blog a browser asks for by the Host header ("myblog.localhost:8780"): the first label of
// a host name of two labels or more. Empty for an address literal or a single label.
QString FromHost(QStringView host);

} // namespace BlogName
