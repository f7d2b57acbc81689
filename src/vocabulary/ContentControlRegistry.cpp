#include "vocabulary/ContentControlRegistry.h"

#include <utility>
#include <vector>

namespace ContentControlRegistry {

namespace {
struct Entry
{
    QString name;
    Factory factory;
};

// Searched from the back: the most recent registration wins.
std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

std::vector<Entry>::reverse_iterator FindEntry(const QString& name)
{
    auto& entries = Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->name == name)
            return it;
    }
    return entries.rend();
}
} // namespace

void Register(const QString& name, Factory factory)
{
    Entries().push_back({name, std::move(factory)});
}

bool Unregister(const QString& name)
{
    const auto it = FindEntry(name);
    if (it == Entries().rend())
        return false;
    Entries().erase(std::next(it).base());
    return true;
}

ContentControl* Create(const QString& name)
{
    const auto it = FindEntry(name);
    if (it == Entries().rend() || !it->factory)
        return nullptr;
    return it->factory();
}

} // namespace ContentControlRegistry
