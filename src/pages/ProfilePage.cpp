#include "pages/ProfilePage.h"

#include "data/UserDatabase.h"
#include "fitness/ProfileEditor.h"
#include "pages/PageRegistry.h"
#include "pages/ProfileBands.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {

const QString kEditorName = QStringLiteral("ProfileEditorControl");

bool IsNavigation(const QString& name)
{
    return name == Events::kGoProfile || name == Events::kGoJournal || name == Events::kGoFitness ||
           name == Events::kGoFood;
}

} // namespace

ProfilePage::ProfilePage() : PageBase(Events::kProfile, 3) {}

void ProfilePage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    ShowProfileBands(host, QStringLiteral("title"), Events::kGoals, Events::kResults,
                     Events::kBlogger);
    m_editor = dynamic_cast<ProfileEditor*>(host.SetContent(kEditorName));
    if (UserDatabase* store = UserDatabase::Instance())
        FillEditor(store->Profile(), store->Settings().Metric() != 0);
}

void ProfilePage::Detach()
{
    if (UserDatabase* store = UserDatabase::Instance()) {
        ReadEditor(store->Profile());
        // Written even when unchanged, and on disk before the next page opens.
        store->SaveProfile();
        store->Commit();
    }
    m_editor = nullptr;
    PageBase::Detach();
}

int ProfilePage::OnEvent(const QString& name, QWidget* sender)
{
    UserDatabase* store = UserDatabase::Instance();
    if (!store)
        return PageBase::OnEvent(name, sender);
    UserProfile& profile = store->Profile();

    if (name == Events::kGoals || name == Events::kResults) {
        ReadEditor(profile);
        // The editor says what is missing or out of range; nothing happens until it is mended.
        if (profile.IsComplete() && (!m_editor || m_editor->Problem().isEmpty()))
            GoOn(profile, name);
        return 1;
    }
    if (name == Events::kPreferences) {
        // The preferences chose the nutrient last: the editor's older choice must not undo it.
        const int tracked = profile.GetFoodTracking();
        ReadEditor(profile);
        profile.SetFoodTracking(tracked);
        FillEditor(profile, store->Settings().Metric() != 0);
        return 1;
    }
    if (name == Events::kBlogger) {
        ReadEditor(profile);
        NavigateTo(Events::kBlogger);
        return 1;
    }
    if (IsNavigation(name)) {
        ReadEditor(profile);
        GoOn(profile, name);
        return 1;
    }
    return PageBase::OnEvent(name, sender);
}

void ProfilePage::GoOn(const UserProfile& profile, const QString& eventName)
{
    // Without a blog account page in this build there is nothing to put in front.
    if (!(profile.Flags() & UserProfile::kBlogAccountSeen) &&
        PageRegistry::Find(Events::kBlogger)) {
        NavigateTo(Events::kBlogger);
        return;
    }
    if (IsNavigation(eventName))
        HandleCommonEvent(eventName);
    else
        NavigateTo(eventName);
}

void ProfilePage::FillEditor(UserProfile& profile, bool metric)
{
    if (!m_editor)
        return;
    const int height = UserProfile::RoundForDisplay(profile.HeightForDisplay(metric));
    m_editor->SetMetric(metric);
    m_editor->SetFoodTracking(profile.GetFoodTracking());
    m_editor->SetUserName(profile.GetUserName());
    m_editor->SetAge(profile.GetAge());
    m_editor->SetHeight(height);
    m_editor->SetStartDate(profile.GetStartDate());
    m_editor->SetStartWeight(profile.GetStartWeight(metric));
    m_editor->SetGoalDate(profile.GetGoalDate());
    m_editor->SetGoalWeight(profile.GetGoalWeight(metric));
    m_shown = {metric, float(height), m_editor->GetStartWeight(), m_editor->GetGoalWeight()};
}

void ProfilePage::ReadEditor(UserProfile& profile)
{
    if (!m_editor)
        return;
    using Field = ProfileEditor::NumberField;
    const bool unit = m_editor->GetMetric();
    // A number still showing what it showed before keeps the stored value it stood for, and
    // one its validator refuses keeps it too.
    const auto edited = [&](Field field, float& shown, float now) {
        if (!m_editor->Accepts(field))
            return false;
        const bool changed = unit != m_shown.metric || now != shown;
        shown = now;
        return changed;
    };
    profile.SetUserName(m_editor->GetUserName());
    profile.SetFoodTracking(m_editor->GetFoodTracking());
    if (m_editor->Accepts(Field::Age))
        profile.SetAge(m_editor->GetAge());
    const float height = float(m_editor->GetHeight());
    if (edited(Field::Height, m_shown.height, height))
        profile.SetHeightFromDisplay(height, unit);
    profile.SetStartDate(m_editor->GetStartDate());
    const float startWeight = m_editor->GetStartWeight();
    if (edited(Field::StartWeight, m_shown.startWeight, startWeight))
        profile.SetStartWeight(startWeight, unit);
    profile.SetGoalDate(m_editor->GetGoalDate());
    const float goalWeight = m_editor->GetGoalWeight();
    if (edited(Field::GoalWeight, m_shown.goalWeight, goalWeight))
        profile.SetGoalWeight(goalWeight, unit);
    m_shown.metric = unit;
}
