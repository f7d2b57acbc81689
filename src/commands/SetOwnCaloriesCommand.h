#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <optional>

// Gives a logged exercise the calories the user read off a watch or a machine, or (none) lets
// the worked-out figure count again.
class SetOwnCaloriesCommand final : public StoreCommand
{
public:
    SetOwnCaloriesCommand(UserEdits& edits, std::int32_t uid, std::optional<std::int32_t> calories);

    void redo() override;
    void undo() override;

private:
    void Apply(std::optional<std::int32_t> calories);

    std::int32_t m_uid;
    std::optional<std::int32_t> m_before;
    std::optional<std::int32_t> m_after;
};
