#include "pages/FoodDetailsPage.h"

#include "data/Food.h"
#include "data/FoodDatabase.h"
#include "data/UserDatabase.h"
#include "views/FoodDetails.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {
constexpr int kDetailsHelpTopic = 9;
// The order the values are handed to the view.
constexpr int kValueOrder[] = {0, 3, 2, 1, 4, 5};

// Per 100 g, truncated; an unknown value (-1) shows as none.
int Shown(double value)
{
    return value > 0 && value < 2147483647.0 ? int(value) : 0;
}
} // namespace

FoodDetailsPage::FoodDetailsPage(Session& session, std::uint32_t food)
    : SubPage(session, QStringLiteral("food.details"), kDetailsHelpTopic), m_food(food)
{
}

void FoodDetailsPage::Attach(PageHost& host)
{
    SubPage::Attach(host);
    host.SetSection(QStringLiteral("food"));
    host.SetBottomButton(0, Events::kDone);
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, QStringLiteral("title.details"));
    auto* view = dynamic_cast<FoodDetails*>(host.SetContent(QStringLiteral("FoodDetailsControl")));
    if (!view)
        return;
    UserDatabase* store = Store();
    const Food food =
        store ? store->References().FoodAt(m_food) : FoodDatabase::UnknownFood(m_food);
    view->SetFoodName(food.name);
    for (int value : kValueOrder)
        view->SetValue(value, Shown(food.numbers[size_t(Food::NumberOfValue(value))]));
}

int FoodDetailsPage::OnEvent(const QString& name, QWidget*)
{
    if (name == Events::kDone) {
        EndWith(Closed);
        return 1;
    }
    return HandleSubPageEvent(name);
}
