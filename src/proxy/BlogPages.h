#pragma once

#include "proxy/BlogPost.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The static pages of a blog, in UTF-8. Links between them are relative, so a blog folder
// works wherever it is served from.
namespace BlogPages {

inline constexpr qsizetype kFeedEntries = 20;

QString PageName(int number);
// Whether a file name is one of a blog's pages; nothing else is ever served from its folder.
bool IsPageName(QStringView name);
QByteArray PostPage(const QString& blog, const BlogPost& post);
// Every post, newest first.
QByteArray IndexPage(const QString& blog, const QList<BlogPost>& posts);
// An Atom feed of the newest posts.
QByteArray Feed(const QString& blog, const QList<BlogPost>& posts);
// The page at the top of the proxy: the blogs it serves.
QByteArray BlogList(const QStringList& blogs);

} // namespace BlogPages
