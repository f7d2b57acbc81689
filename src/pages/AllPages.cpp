#include "pages/AllPages.h"

#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"
#include "pages/GoalsPage.h"
#include "pages/ProfilePage.h"
#include "pages/ResultsPage.h"

std::vector<std::unique_ptr<Page>> MakeAllPages()
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<FitnessLogPage>());
    pages.push_back(std::make_unique<FoodLogPage>());
    pages.push_back(std::make_unique<ProfilePage>());
    pages.push_back(std::make_unique<GoalsPage>());
    pages.push_back(std::make_unique<ResultsPage>());
    return pages;
}
