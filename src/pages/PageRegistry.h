#pragma once

#include <QString>

class Page;

// Every page of the program, newest first, found by name for navigation.
namespace PageRegistry {

void Add(Page* page);
void Remove(Page* page);
// The first page registered under the name (the most recently constructed one); null if none.
Page* Find(const QString& name);
int Count();

} // namespace PageRegistry
