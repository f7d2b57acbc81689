#pragma once

#include <QString>
#include <QUrl>

// The blog account as typed on the account page: how each field is cleaned, whether the three
// are well-formed, and the blog's own address.
namespace BlogAccountCheck {

// Trimmed of spaces, tabs, line feeds and BEL, lower case, without a leading "http://" and
// trailing "/".
QString CleanBlogName(const QString& typed);
// Trimmed of spaces, tabs, line feeds and carriage returns.
QString CleanEmail(const QString& typed);

// "Use correct formats:" followed by the blog name's problem line.
QString BlogNameMessage();

struct Result
{
    bool ok = true;
    // "Use correct formats:" and one line for each wrong field; only meaningful when !ok.
    QString message;
};
// Checks the cleaned blog name and e-mail and the password as typed.
Result Check(const QString& typedBlogName, const QString& typedEmail, const QString& password);

// The blog's address for the browser, built from the cleaned name; invalid unless that name is
// one host label (letters, digits and inner hyphens), so nothing typed can redirect it.
QUrl BlogUrl(const QString& typedBlogName, const QString& domainSuffix);

} // namespace BlogAccountCheck
