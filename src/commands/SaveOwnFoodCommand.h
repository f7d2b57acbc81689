#pragma once

#include "commands/StoreCommand.h"
#include "data/OwnFoods.h"

#include <memory>
#include <optional>

class RemoveItemsCommand;

// Makes, changes or deletes one of the user's own foods or recipes. A deleted food leaves the
// lookup and the favorites, while the days it was logged on keep it and their figures. The days
// whose figures an edit changes (the food's, and those of recipes made with it) are told.
class SaveOwnFoodCommand final : public StoreCommand
{
public:
    static SaveOwnFoodCommand* New(UserEdits& edits, const OwnFoods::Entry& entry);
    static SaveOwnFoodCommand* Edit(UserEdits& edits, std::uint32_t id,
                                    const OwnFoods::Entry& entry);
    // Null when there is no such food.
    static SaveOwnFoodCommand* Delete(UserEdits& edits, std::uint32_t id);
    ~SaveOwnFoodCommand() override;

    void redo() override;
    void undo() override;

    std::uint32_t Id() const { return m_id; }

private:
    SaveOwnFoodCommand(UserEdits& edits, std::uint32_t id, std::optional<OwnFoods::Entry> before,
                       std::optional<OwnFoods::Entry> after, const QString& text);
    void Apply(const std::optional<OwnFoods::Entry>& entry);

    std::uint32_t m_id;
    std::optional<OwnFoods::Entry> m_before;
    std::optional<OwnFoods::Entry> m_after;
    std::unique_ptr<RemoveItemsCommand> m_unfavorite;
};
