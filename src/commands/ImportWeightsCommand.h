#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class Item;

// Adds the weights of days that have none, all at once: "Import 120 Weights". Undone, they all
// leave the list; redone, they come back at its end with their uids.
class ImportWeightsCommand final : public StoreCommand
{
public:
    using DayWeight = std::pair<TimeBase::Stamp, float>; // the day, kilograms

    ImportWeightsCommand(UserEdits& edits, std::vector<DayWeight> weights);
    ~ImportWeightsCommand() override;

    void redo() override;
    void undo() override;

private:
    std::vector<DayWeight> m_weights;
    std::vector<TimeBase::Stamp> m_days;
    std::vector<std::unique_ptr<Item>> m_taken; // while undone
    std::int32_t m_firstUid = -1;
    int m_index = -1; // of the first added
};
