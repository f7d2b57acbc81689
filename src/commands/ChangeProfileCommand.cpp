#include "commands/ChangeProfileCommand.h"

#include "data/UserDatabase.h"

namespace {

// `entries` with the bookkeeping of `current`.
UserProfile WithBookkeeping(const UserProfile& entries, const UserProfile& current)
{
    UserProfile result = entries;
    result.SetLaunchCount(current.LaunchCount());
    result.SetFlags((entries.Flags() & ~UserProfile::kBlogAccountSeen) |
                    (current.Flags() & UserProfile::kBlogAccountSeen));
    return result;
}

} // namespace

ChangeProfileCommand::ChangeProfileCommand(UserEdits& edits, const UserProfile& after,
                                           const QString& text, int mergeKey)
    : StoreCommand(edits, text), m_after(after), m_mergeKey(mergeKey)
{
}

bool ChangeProfileCommand::SameEntries(const UserProfile& a, const UserProfile& b)
{
    const UserProfile c = WithBookkeeping(b, a);
    // Compared as stored, which is every field the user can reach.
    return a.GetUserName() == c.GetUserName() && a.GetAge() == c.GetAge() &&
           a.IsMale() == c.IsMale() && a.HeightCm() == c.HeightCm() &&
           a.StartWeightKg() == c.StartWeightKg() && a.GoalWeightKg() == c.GoalWeightKg() &&
           a.GetStartDate() == c.GetStartDate() && a.GetGoalDate() == c.GetGoalDate() &&
           a.GetActivityLevel() == c.GetActivityLevel() &&
           a.GetFoodTracking() == c.GetFoodTracking() && a.Flags() == c.Flags() &&
           a.BlogName() == c.BlogName() && a.BlogEmail() == c.BlogEmail() &&
           a.BlogPassword() == c.BlogPassword();
}

void ChangeProfileCommand::redo()
{
    if (!m_made) {
        m_made = true;
        m_before = Store().Profile();
        if (SameEntries(m_before, m_after)) {
            setObsolete(true);
            return;
        }
    }
    Apply(m_after);
}

void ChangeProfileCommand::undo()
{
    Apply(m_before);
}

void ChangeProfileCommand::Apply(const UserProfile& entries)
{
    UserProfile& profile = Store().Profile();
    profile = WithBookkeeping(entries, profile);
    ProfileChanged();
}

bool ChangeProfileCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const ChangeProfileCommand*>(other);
    if (next->m_mergeKey != m_mergeKey)
        return false;
    m_after = next->m_after;
    setObsolete(SameEntries(m_before, m_after));
    return true;
}
