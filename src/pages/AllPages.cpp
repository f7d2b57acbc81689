#include "pages/AllPages.h"

#include "pages/FitnessLogPage.h"
#include "pages/FoodLogPage.h"

std::vector<std::unique_ptr<Page>> MakeAllPages()
{
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::make_unique<FitnessLogPage>());
    pages.push_back(std::make_unique<FoodLogPage>());
    return pages;
}
