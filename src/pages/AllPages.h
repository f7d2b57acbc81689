#pragma once

#include "vocabulary/Page.h"

#include <memory>
#include <vector>

class Session;

// The eight pages the home screen owns, in the home screen's order: fitness log, food log,
// journal, profile, goals, results, daily chart, blog account. Pages not built yet are left out.
std::vector<std::unique_ptr<Page>> MakeAllPages(Session& session);
