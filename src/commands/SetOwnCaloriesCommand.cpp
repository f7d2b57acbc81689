#include "commands/SetOwnCaloriesCommand.h"

#include "data/UserDatabase.h"

SetOwnCaloriesCommand::SetOwnCaloriesCommand(UserEdits& edits, std::int32_t uid,
                                             std::optional<std::int32_t> calories)
    : StoreCommand(edits, calories ? QStringLiteral("Set My Calories")
                                   : QStringLiteral("Clear My Calories")),
      m_uid(uid), m_before(Store().Own().Of(uid)), m_after(calories)
{
}

void SetOwnCaloriesCommand::redo()
{
    if (m_before == m_after) {
        setObsolete(true);
        return;
    }
    Apply(m_after);
}

void SetOwnCaloriesCommand::undo()
{
    Apply(m_before);
}

void SetOwnCaloriesCommand::Apply(std::optional<std::int32_t> calories)
{
    const Item* item = Store().FitnessLog().FindByUid(m_uid);
    if (!item)
        return;
    Store().Own().Set(m_uid, calories);
    ListChanged(FitnessKind, {item->Day()});
}
