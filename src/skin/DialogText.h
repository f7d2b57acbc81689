#pragma once

#include <QString>

namespace DialogText {

// Texts from the databases mark line breaks with "\n" (older ones with "\r\n"); a multi-line
// field shows either as one break.
inline QString MultiLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

} // namespace DialogText
