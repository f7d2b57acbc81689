#include "pages/PageRegistry.h"

#include "vocabulary/Page.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<Page*>& Pages()
{
    static std::vector<Page*> pages; // front is the newest
    return pages;
}
} // namespace

namespace PageRegistry {

void Add(Page* page)
{
    Pages().insert(Pages().begin(), page);
}

void Remove(Page* page)
{
    auto& pages = Pages();
    pages.erase(std::remove(pages.begin(), pages.end(), page), pages.end());
}

Page* Find(const QString& name)
{
    for (Page* page : Pages()) {
        if (page->GetName() == name)
            return page;
    }
    return nullptr;
}

int Count()
{
    return int(Pages().size());
}

} // namespace PageRegistry
