#include "commands/ImportWeightsCommand.h"

#include "data/UserDatabase.h"
#include "data/WeightItem.h"

ImportWeightsCommand::ImportWeightsCommand(UserEdits& edits, std::vector<DayWeight> weights)
    : StoreCommand(edits, weights.size() == 1
                              ? QStringLiteral("Import 1 Weight")
                              : QStringLiteral("Import %1 Weights").arg(weights.size())),
      m_weights(std::move(weights))
{
    m_days.reserve(m_weights.size());
    for (const DayWeight& weight : m_weights)
        m_days.push_back(weight.first);
}

ImportWeightsCommand::~ImportWeightsCommand() = default;

void ImportWeightsCommand::redo()
{
    ItemList& list = Store().Weights();
    if (m_index < 0) {
        m_index = list.Count();
        for (const auto& [day, kilograms] : m_weights) {
            Item* added = list.Append(Item::Create(WeightKind, day));
            if (!added) // the list is full: the store said so, and what was added goes back
                break;
            static_cast<WeightItem*>(added)->SetKilograms(kilograms);
            if (m_firstUid < 0)
                m_firstUid = added->Uid();
        }
        if (list.Count() - m_index < int(m_weights.size())) {
            while (list.Count() > m_index)
                list.TakeAt(list.Count() - 1);
            setObsolete(true);
            return;
        }
    } else {
        for (std::unique_ptr<Item>& item : m_taken)
            list.Restore(list.Count(), std::move(item));
        m_taken.clear();
    }
    ListChanged(WeightKind, m_days);
}

void ImportWeightsCommand::undo()
{
    ItemList& list = Store().Weights();
    // They were added together at the end; what came after was undone before this.
    const int first = list.IndexOfUid(m_firstUid);
    if (first >= 0) {
        m_taken.resize(size_t(list.Count() - first));
        for (int i = list.Count() - 1; i >= first; --i)
            m_taken[size_t(i - first)] = list.TakeAt(i);
    }
    ListChanged(WeightKind, m_days);
}
