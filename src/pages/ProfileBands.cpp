#include "pages/ProfileBands.h"

#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

void ShowProfileBands(PageHost& host, const QString& title, const QString& firstPage,
                      const QString& secondPage, const QString& bottomLeft)
{
    host.SetSection(QStringLiteral("profile"));
    if (!bottomLeft.isEmpty())
        host.SetBottomButton(1, bottomLeft);
    host.SetBottomButton(0, Events::kDone);
    host.SetTitleButton(3, firstPage);
    host.SetTitleButton(4, secondPage);
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, title);
}
