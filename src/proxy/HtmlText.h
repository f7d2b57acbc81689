#pragma once

#include <QString>

// Posted text made safe to put into a page: everything is escaped, except that a daily chart's
// table keeps its table tags.
namespace HtmlText {

// Escapes the five characters with a meaning in HTML text and attribute values.
QString Escape(const QString& text);
// Plain text as HTML: escaped, line breaks kept as <br>.
QString FromPlainText(const QString& text);
// True for a body that is a table, as the daily chart posts it.
bool IsTable(const QString& text);
// Keeps only the tags table, tr, th, td, b and br, written without attributes, and only where
// they nest properly; every other character, other tags included, is escaped. Elements left
// open are closed at the end, so the result cannot swallow the page around it.
QString KeepTableTags(const QString& html);

} // namespace HtmlText
