#include "commands/SwitchUnitsCommand.h"

#include "commands/ChangeProfileCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"

SwitchUnitsCommand::SwitchUnitsCommand(UserEdits& edits, bool metric)
    : StoreCommand(edits, metric ? QStringLiteral("Switch to Metric Units")
                                 : QStringLiteral("Switch to US Units")),
      m_after(metric ? 1 : 0)
{
}

void SwitchUnitsCommand::redo()
{
    if (!m_made) {
        m_made = true;
        m_before = Store().Settings().Metric();
        // A stored 2 is as metric as a 1.
        if ((m_before != 0) == (m_after != 0)) {
            setObsolete(true);
            return;
        }
    }
    Set(m_after);
}

void SwitchUnitsCommand::undo()
{
    Set(m_before);
}

void SwitchUnitsCommand::Set(std::uint32_t metric)
{
    Store().Settings().SetMetric(metric);
    SettingsChanged();
}

void SwitchUnitsCommand::ChangePreferences(UserEdits& edits, int trackedNutrient, bool metric)
{
    const UserDatabase& store = edits.Store();
    const bool nutrient = trackedNutrient != store.Profile().GetFoodTracking();
    const bool units = metric != (store.Settings().Metric() != 0);
    const bool both = nutrient && units;
    if (both)
        edits.Stack().beginMacro(QStringLiteral("Change Preferences"));
    if (nutrient) {
        UserProfile after = store.Profile();
        after.SetFoodTracking(trackedNutrient);
        edits.Push(
            new ChangeProfileCommand(edits, after, QStringLiteral("Change Tracked Nutrient")));
    }
    if (units)
        edits.Push(new SwitchUnitsCommand(edits, metric));
    if (both)
        edits.Stack().endMacro();
}
