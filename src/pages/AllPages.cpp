#include "pages/AllPages.h"

#include "pages/BlogAccountPage.h"
#include "pages/DailyChartPage.h"
#include "pages/JournalPage.h"

std::vector<std::unique_ptr<Page>> MakeAllPages()
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<JournalPage>());
    pages.push_back(std::make_unique<DailyChartPage>());
    pages.push_back(std::make_unique<BlogAccountPage>());
    return pages;
}
