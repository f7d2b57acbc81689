#pragma once

#include <QString>

class PageHost;

// The bands the profile, goals and results pages share: the "profile" colours, the menu icon,
// their title picture, the other two pages on the title bar's buttons, "done" at the bottom
// right and, when named, one more button at the bottom left.
void ShowProfileBands(PageHost& host, const QString& title, const QString& firstPage,
                      const QString& secondPage, const QString& bottomLeft = {});
