#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>

class Item;

// Sets a logged item's choice: a food's portion (field 0, portions - 1) or unit (field 1), an
// exercise's duration (field 0). Consecutive changes of one field of one item merge into one
// edit; changed back to where it started, the edit is gone.
class SetItemFieldCommand final : public StoreCommand
{
public:
    SetItemFieldCommand(UserEdits& edits, ItemKind kind, std::int32_t uid, int field, int value);

    void redo() override;
    void undo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

    // "Change Portion", "Change Unit", "Change Duration".
    static QString TextFor(ItemKind kind, int field);
    static int Value(const Item& item, int field);
    static void SetValue(Item& item, int field, int value);

private:
    void Set(int value);

    ItemKind m_kind;
    std::int32_t m_uid;
    int m_field;
    int m_before = 0;
    int m_after;
    bool m_made = false;
};
