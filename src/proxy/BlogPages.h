#pragma once

#include "proxy/BlogPost.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The static pages of a blog, in UTF-8. Links between them are relative, so a blog folder
// works wherever it is served from. No page is ever rewritten for an older post: the index
// lists the newest posts and links to archive pages, each written once when it fills.
namespace BlogPages {

inline constexpr int kPostsPerPage = 20; // on an archive page, and the fewest the index lists
inline constexpr qsizetype kFeedEntries = 20;
// Longer bodies appear in the feed as a summary and their page's link.
inline constexpr qsizetype kMaxFeedHtml = 32 * 1024;
inline constexpr qsizetype kSummaryLength = 400;

// "<number>.html"
QString PageName(int number);
// "page-<page>.html": posts (page - 1) * kPostsPerPage + 1 to page * kPostsPerPage.
QString ArchiveName(int page);
// The post of a page name, the page of an archive page's name; 0 for any other name.
int PageNumber(QStringView name);
int ArchiveNumber(QStringView name);
// True for the names of the files a blog folder is served from: index.html, feed.atom, post
// pages and archive pages.
bool IsPageName(QStringView name);
// The number of the first post the index lists when the newest is newest: those of the last
// full archive page and every newer one, so the index never shrinks to a handful of posts.
int IndexFirst(int newest);
// The post as the index and the feed keep it: a body too long for the feed gives way to its
// summary.
BlogPost Listed(BlogPost post);

QByteArray PostPage(const QString& blog, const BlogPost& post);
// posts: IndexFirst(newest) to newest, oldest first; listed newest first.
QByteArray IndexPage(const QString& blog, const QList<BlogPost>& posts);
// posts: the page's kPostsPerPage posts, oldest first; listed newest first.
QByteArray ArchivePage(const QString& blog, int page, const QList<BlogPost>& posts);
// An Atom feed of the newest of posts (oldest first), its id unique to the blog.
QByteArray Feed(const QString& blog, const QString& id, const QList<BlogPost>& posts);
// The page at the top of the proxy: the blogs it serves.
QByteArray BlogList(const QStringList& blogs);

} // namespace BlogPages
