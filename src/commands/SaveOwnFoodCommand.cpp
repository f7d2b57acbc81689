#include "commands/SaveOwnFoodCommand.h"

#include "commands/CommandText.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/UserEdits.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"

#include <set>

SaveOwnFoodCommand* SaveOwnFoodCommand::New(UserEdits& edits, const OwnFoods::Entry& entry)
{
    const UserDatabase& store = edits.Store();
    return new SaveOwnFoodCommand(edits, store.MyFoods().NextId(), std::nullopt, entry,
                                  CommandText::Named(entry.IsRecipe() ? QStringLiteral("New Recipe")
                                                                      : QStringLiteral("New Food"),
                                                     entry.name));
}

SaveOwnFoodCommand* SaveOwnFoodCommand::Edit(UserEdits& edits, std::uint32_t id,
                                             const OwnFoods::Entry& entry)
{
    const OwnFoods::Entry* before = edits.Store().MyFoods().Find(id);
    return new SaveOwnFoodCommand(edits, id, before ? std::optional(*before) : std::nullopt, entry,
                                  CommandText::Named(QStringLiteral("Change"), entry.name));
}

SaveOwnFoodCommand* SaveOwnFoodCommand::Delete(UserEdits& edits, std::uint32_t id)
{
    const OwnFoods::Entry* before = edits.Store().MyFoods().Find(id);
    if (!before)
        return nullptr;
    OwnFoods::Entry deleted = *before;
    deleted.deleted = true;
    auto* command = new SaveOwnFoodCommand(
        edits, id, *before, deleted, CommandText::Named(QStringLiteral("Delete"), before->name));
    const ItemList& favorites = edits.Store().FavoriteFoods();
    for (int i = 0; i < favorites.Count(); ++i) {
        if (favorites.At(i)->Reference() == id)
            command->m_unfavorite = std::make_unique<RemoveItemsCommand>(
                edits, FavoriteFoodKind, std::vector{favorites.At(i)->Uid()}, command->text());
    }
    return command;
}

SaveOwnFoodCommand::SaveOwnFoodCommand(UserEdits& edits, std::uint32_t id,
                                       std::optional<OwnFoods::Entry> before,
                                       std::optional<OwnFoods::Entry> after, const QString& text)
    : StoreCommand(edits, text), m_id(id), m_before(std::move(before)), m_after(std::move(after))
{
}

SaveOwnFoodCommand::~SaveOwnFoodCommand() = default;

void SaveOwnFoodCommand::redo()
{
    Apply(m_after);
    if (m_unfavorite)
        m_unfavorite->redo();
}

void SaveOwnFoodCommand::undo()
{
    if (m_unfavorite)
        m_unfavorite->undo();
    Apply(m_before);
}

void SaveOwnFoodCommand::Apply(const std::optional<OwnFoods::Entry>& entry)
{
    OwnFoods& foods = Store().MyFoods();
    foods.Set(m_id, entry);
    // The food and every recipe made with it, to any depth.
    std::set<std::uint32_t> changed = {m_id};
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [id, recipe] : foods.Entries()) {
            for (const OwnFoods::Ingredient& ingredient : recipe.ingredients)
                grew |= changed.count(ingredient.food) && changed.insert(id).second;
        }
    }
    std::vector<TimeBase::Stamp> days;
    const ItemList& log = Store().FoodLog();
    for (int i = 0; i < log.Count(); ++i) {
        if (changed.count(log.At(i)->Reference()))
            days.push_back(log.At(i)->Day());
    }
    ListChanged(FoodKind, days);
    ListChanged(FavoriteFoodKind, {});
}
