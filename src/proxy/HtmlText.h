#pragma once

#include <QString>
#include <QStringView>

// Posted text made safe to put into a page: everything is escaped, except that a daily chart's
// table keeps its table tags.
namespace HtmlText {

// Escapes the characters with a meaning in HTML text: & < >. Quotes stay as they are, so text
// takes no more room in a page than it must.
QString Escape(const QString& text);
// Escapes text for an attribute value in double or single quotes: & < > " '.
QString EscapeAttribute(const QString& text);
// The start of a body made here, as plain text for a summary: tags become spaces, the escapes
// above their characters, runs of white space one space; at most length characters, cut with
// "..." where longer. Reads only as much of html as it needs.
QString Summary(QStringView html, qsizetype length);
// Plain text as HTML: escaped, line breaks kept as <br>.
QString FromPlainText(const QString& text);
// True for a body that is a table, as the daily chart posts it.
bool IsTable(const QString& text);
// Keeps only the tags table, tr, th, td, b and br, written without attributes, and only where
// they nest properly; every other character, other tags included, is escaped. Elements left
// open are closed at the end, so the result cannot swallow the page around it.
QString KeepTableTags(const QString& html);

} // namespace HtmlText
