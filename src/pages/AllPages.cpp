#include "pages/AllPages.h"

#include "pages/BlogAccountPage.h"
#include "pages/DailyChartPage.h"
#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "pages/GoalsPage.h"
#include "pages/JournalPage.h"
#include "pages/ProfilePage.h"
#include "pages/ResultsPage.h"

std::vector<std::unique_ptr<Page>> MakeAllPages(Session& session)
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<FitnessLogPage>(session));
    pages.push_back(std::make_unique<FoodLogPage>(session));
    pages.push_back(std::make_unique<JournalPage>(session));
    pages.push_back(std::make_unique<ProfilePage>(session));
    pages.push_back(std::make_unique<GoalsPage>(session));
    pages.push_back(std::make_unique<ResultsPage>(session));
    pages.push_back(std::make_unique<DailyChartPage>(session));
    pages.push_back(std::make_unique<BlogAccountPage>(session));
    return pages;
}
