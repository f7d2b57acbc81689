#pragma once

#include "commands/StoreCommand.h"
#include "data/UserProfile.h"

// Replaces what the user entered in the profile (measurements, goal, tracked nutrient, blog
// account) by `after`. The bookkeeping in it, the launch count and whether the blog account page
// was seen, is not the user's edit: it stays as it is, undone or not. Commands with the same
// merge key (one visit of a page) merge into one edit.
class ChangeProfileCommand final : public StoreCommand
{
public:
    ChangeProfileCommand(UserEdits& edits, const UserProfile& after, const QString& text,
                         int mergeKey = -1);

    void redo() override;
    void undo() override;
    int id() const override { return m_mergeKey < 0 ? -1 : 3; }
    bool mergeWith(const QUndoCommand* other) override;

    // Whether `a` and `b` differ in what the user entered.
    static bool SameEntries(const UserProfile& a, const UserProfile& b);

private:
    void Apply(const UserProfile& entries);

    UserProfile m_before;
    UserProfile m_after;
    int m_mergeKey;
    bool m_made = false;
};
