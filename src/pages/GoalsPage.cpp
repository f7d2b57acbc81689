#include "pages/GoalsPage.h"

#include "data/UserDatabase.h"
#include "fitness/GoalFigures.h"
#include "fitness/ProfileCheck.h"
#include "pages/ProfileBands.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

GoalsPage::GoalsPage(Session& session) : PageBase(session, Events::kGoals, 5) {}

void GoalsPage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    ShowProfileBands(host, QStringLiteral("title.goals"), Events::kProfile, Events::kResults);
    m_figures = dynamic_cast<GoalFigures*>(host.SetContent(QStringLiteral("GoalsControl")));
    ShowFigures();
    // An undo or redo of the profile from this page's menu shows at once.
    Watch(&DataNotifier::profileChanged, [this] { ShowFigures(); });
}

void GoalsPage::ShowFigures()
{
    const UserDatabase* store = Store();
    if (!m_figures || !store)
        return;
    const UserProfile& profile = store->Profile();
    // An incomplete profile, one out of range (an age of 40000, or -25536 as an older version
    // wrapped it on disk), or a goal date before the start date (a negative span of days) has no
    // figures worth showing.
    if (!ProfileCheck::HasGoalFigures(profile)) {
        m_figures->ClearFigures();
        return;
    }
    m_figures->SetBmi(profile.ComputeBmi());
    m_figures->SetBmr(profile.ComputeBmr());
    m_figures->SetMaintenanceCalories(profile.MaintenanceCalories());
    m_figures->SetDailyCalorieGoal(profile.DailyCalorieGoal());
    m_figures->SetWeightStatus(profile.ComputeWeightStatus());
}

void GoalsPage::Detach()
{
    m_figures = nullptr;
    PageBase::Detach();
}

int GoalsPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kResults || name == Events::kProfile) {
        NavigateTo(name);
        return 1;
    }
    if (name == Events::kMenu)
        return 1;
    return PageBase::OnEvent(name, sender);
}
