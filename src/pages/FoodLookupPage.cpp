#include "pages/FoodLookupPage.h"

#include "commands/SaveOwnFoodCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "pages/FoodDetailsPage.h"
#include "pages/FoodLookupModel.h"
#include "views/OwnFoodDialog.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QWidget>

FoodLookupPage::FoodLookupPage(Session& session, bool lookupOnly, bool favoritesOnly)
    : LookupPage(
          session, QStringLiteral("food.lookup"), QStringLiteral("food"),
          {QStringLiteral("Food group"), QStringLiteral("Food subgroup"), QStringLiteral("Foods")},
          lookupOnly, favoritesOnly)
{
}

void FoodLookupPage::Attach(PageHost& host)
{
    LookupPage::Attach(host);
    host.AddMenuCommand(QStringLiteral("New Food..."), Events::kNewFood);
    host.AddMenuCommand(QStringLiteral("New Recipe..."), Events::kNewRecipe);
    host.AddMenuCommand(QStringLiteral("Edit Food..."), Events::kEditFood);
    host.AddMenuCommand(QStringLiteral("Delete Food"), Events::kDeleteFood);
}

std::unique_ptr<LookupModel> FoodLookupPage::MakeModel(UserDatabase& store, bool favoritesOnly)
{
    return std::make_unique<FoodLookupModel>(store, favoritesOnly);
}

ItemList& FoodLookupPage::Favorites(UserDatabase& store)
{
    return store.FavoriteFoods();
}

QString FoodLookupPage::ShowDetails(std::uint32_t record)
{
    FoodDetailsPage details(GetSession(), record);
    Host()->RunSubPage(&details);
    return details.ResultText();
}

int FoodLookupPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kNewFood || name == Events::kNewRecipe) {
        EditOwnFood(std::nullopt, name == Events::kNewRecipe);
        return 1;
    }
    if (name == Events::kEditFood) {
        if (const std::optional<std::uint32_t> id = SelectedOwnFood(QStringLiteral("Edit Food")))
            EditOwnFood(id, false);
        return 1;
    }
    if (name == Events::kDeleteFood) {
        DeleteOwnFood();
        return 1;
    }
    return LookupPage::OnEvent(name, sender);
}

std::optional<std::uint32_t> FoodLookupPage::SelectedOwnFood(const QString& caption)
{
    const std::optional<std::uint32_t> id = Model() ? Model()->SelectedRecord() : std::nullopt;
    const UserDatabase* store = Store();
    if (id && store && store->MyFoods().Find(*id))
        return id;
    if (Host())
        Host()->ShowMessage(caption, QStringLiteral("Choose one of your own foods, in My Foods, "
                                                    "first."));
    return std::nullopt;
}

void FoodLookupPage::EditOwnFood(std::optional<std::uint32_t> id, bool recipe)
{
    UserEdits* edits = Edits();
    UserDatabase* store = Store();
    if (!edits || !store || !Host())
        return;
    if (!store->OwnFoodsProblem().isEmpty()) {
        Host()->ShowMessage(QStringLiteral("My Foods"), store->OwnFoodsProblem());
        return;
    }
    OwnFoods::Entry entry;
    if (id)
        entry = *store->MyFoods().Find(*id);
    else if (recipe)
        entry.servings = 1;
    QString title = entry.IsRecipe() ? QStringLiteral("Recipe") : QStringLiteral("Food");
    title = (id ? QStringLiteral("Edit ") : QStringLiteral("New ")) + title;

    OwnFoodDialog::Foods foods;
    foods.find = [store](std::uint32_t food) { return store->References().FoodAt(food); };
    foods.choose = [this]() -> std::optional<std::uint32_t> {
        FoodLookupPage ingredient(GetSession(), false, false);
        Host()->RunSubPage(&ingredient);
        return ingredient.ChosenRecord();
    };
    OwnFoodDialog dialog(title, entry, foods, dynamic_cast<QWidget*>(Host()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    OwnFoods::Entry changed = dialog.Entry();
    SaveOwnFoodCommand* command = id ? SaveOwnFoodCommand::Edit(*edits, *id, changed)
                                     : SaveOwnFoodCommand::New(*edits, changed);
    const std::uint32_t saved = command->Id();
    edits->Push(command);
    ShowRecord(FoodLookupModel::kMyFoodsGroup, saved);
}

void FoodLookupPage::DeleteOwnFood()
{
    UserEdits* edits = Edits();
    const std::optional<std::uint32_t> id = SelectedOwnFood(QStringLiteral("Delete Food"));
    if (!edits || !id)
        return;
    if (SaveOwnFoodCommand* command = SaveOwnFoodCommand::Delete(*edits, *id)) {
        edits->Push(command);
        ShowRecord(FoodLookupModel::kMyFoodsGroup, std::nullopt);
    }
}
