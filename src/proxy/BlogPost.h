#pragma once

#include <QDateTime>
#include <QString>

// One published post, as the blog's pages and feed show it.
struct BlogPost
{
    int number = 0; // 1 for a blog's first post; names its page, "<number>.html"
    QString id;     // a URN that stays the post's identity in feeds
    QString title;
    QString author;
    QString html;        // the body, already made safe (HtmlText)
    QDateTime published; // UTC
    // Plain text standing in for a body too long for the feed; html is then left empty.
    QString summary;
};
