#include "pages/ProfilePage.h"

#include "commands/ChangeProfileCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "fitness/ProfileCheck.h"
#include "pages/ProfileBands.h"
#include "views/ProfileEditor.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"
#include "vocabulary/Session.h"

namespace {

const QString kEditorName = QStringLiteral("ProfileEditorControl");

// A stored value the profile could not have taken (an older version stored one, or wrapped it on
// disk) is shown as missing, so that the editor asks for it.
float Storable(float value, UserProfile::Range range)
{
    return range.Holds(value) ? value : 0;
}

bool IsNavigation(const QString& name)
{
    return name == Events::kGoProfile || name == Events::kGoJournal || name == Events::kGoFitness ||
           name == Events::kGoFood;
}

} // namespace

ProfilePage::ProfilePage(Session& session) : PageBase(session, Events::kProfile, 3) {}

void ProfilePage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    ShowProfileBands(host, QStringLiteral("title"), Events::kGoals, Events::kResults,
                     Events::kBlogger);
    m_editor = dynamic_cast<ProfileEditor*>(host.SetContent(kEditorName));
    m_visit = NextVisit();
    Refill();
    // An undo or redo shows at once; the page's own edits are already shown.
    Watch(&DataNotifier::profileChanged, [this] { Refill(); });
    Watch(&DataNotifier::settingsChanged, [this] { Refill(); });
}

void ProfilePage::Detach()
{
    ApplyEditor(false);
    m_editor = nullptr;
    PageBase::Detach();
}

void ProfilePage::Refill()
{
    if (UserDatabase* store = Store(); store && !m_applying)
        FillEditor(store->Profile(), store->Settings().Metric() != 0);
}

void ProfilePage::ApplyEditor(bool keepTracked)
{
    UserDatabase* store = Store();
    UserEdits* edits = Edits();
    if (!store || !edits || !m_editor)
        return;
    UserProfile after = store->Profile();
    ReadEditor(after);
    if (keepTracked)
        after.SetFoodTracking(store->Profile().GetFoodTracking());
    // One edit for all that is typed during one visit of the page.
    m_applying = true;
    edits->Push(new ChangeProfileCommand(*edits, after, QStringLiteral("Change Profile"), m_visit));
    m_applying = false;
}

int ProfilePage::OnEvent(const QString& name, QWidget* sender)
{
    UserDatabase* store = Store();
    if (!store)
        return PageBase::OnEvent(name, sender);
    const UserProfile& profile = store->Profile();

    if (name == Events::kApplyEdits) {
        ApplyEditor(false);
        return 1;
    }
    if (name == Events::kGoals || name == Events::kResults) {
        ApplyEditor(false);
        // The editor says what is missing or out of range; nothing happens until it is mended.
        if (profile.IsComplete() && (!m_editor || m_editor->Problem().isEmpty()))
            GoOn(profile, name);
        return 1;
    }
    if (name == Events::kPreferences) {
        // The preferences chose the nutrient last: the editor's older choice must not undo it.
        ApplyEditor(true);
        FillEditor(profile, store->Settings().Metric() != 0);
        return 1;
    }
    if (name == Events::kBlogger) {
        ApplyEditor(false);
        NavigateTo(Events::kBlogger);
        return 1;
    }
    if (IsNavigation(name)) {
        ApplyEditor(false);
        GoOn(profile, name);
        return 1;
    }
    return PageBase::OnEvent(name, sender);
}

void ProfilePage::GoOn(const UserProfile& profile, const QString& eventName)
{
    // Without a blog account page in this build there is nothing to put in front.
    if (!(profile.Flags() & UserProfile::kBlogAccountSeen) &&
        GetSession().FindPage(Events::kBlogger)) {
        NavigateTo(Events::kBlogger);
        return;
    }
    if (IsNavigation(eventName))
        HandleCommonEvent(eventName);
    else
        NavigateTo(eventName);
}

void ProfilePage::FillEditor(const UserProfile& profile, bool metric)
{
    if (!m_editor)
        return;
    const auto shownWeight = [metric](float kilograms) {
        return UserProfile::WeightForDisplay(Storable(kilograms, UserProfile::kWeightKg), metric);
    };
    const int height = UserProfile::RoundForDisplay(UserProfile::HeightForDisplay(
        Storable(profile.HeightCm(), UserProfile::kHeightCm), metric));
    m_editor->SetMetric(metric);
    m_editor->SetFoodTracking(profile.GetFoodTracking());
    m_editor->SetUserName(profile.GetUserName());
    m_editor->SetAge(int(Storable(float(profile.GetAge()), UserProfile::kAgeYears)));
    m_editor->SetHeight(height);
    m_editor->SetStartDate(profile.GetStartDate());
    m_editor->SetStartWeight(shownWeight(profile.StartWeightKg()));
    m_editor->SetGoalDate(profile.GetGoalDate());
    m_editor->SetGoalWeight(shownWeight(profile.GoalWeightKg()));
    m_shown = {metric, float(height), m_editor->GetStartWeight(), m_editor->GetGoalWeight()};
}

void ProfilePage::ReadEditor(UserProfile& profile)
{
    if (!m_editor)
        return;
    const bool unit = m_editor->GetMetric();
    using Measure = ProfileCheck::Measure;
    // A number still showing what it showed before keeps the stored value it stood for; one the
    // profile cannot take (the editor's line says why) is not stored either.
    const auto edited = [&](float& shown, float now, Measure measure) {
        const bool changed = unit != m_shown.metric || now != shown;
        shown = now;
        return changed && ProfileCheck::LimitsOf(measure, unit).Holds(now);
    };
    profile.SetUserName(m_editor->GetUserName());
    profile.SetFoodTracking(m_editor->GetFoodTracking());
    const int age = m_editor->GetAge();
    if (ProfileCheck::LimitsOf(Measure::Age, unit).Holds(float(age)))
        profile.SetAge(age);
    const float height = float(m_editor->GetHeight());
    if (edited(m_shown.height, height, Measure::Height))
        profile.SetHeightFromDisplay(height, unit);
    profile.SetStartDate(m_editor->GetStartDate());
    const float startWeight = m_editor->GetStartWeight();
    if (edited(m_shown.startWeight, startWeight, Measure::Weight))
        profile.SetStartWeight(startWeight, unit);
    profile.SetGoalDate(m_editor->GetGoalDate());
    const float goalWeight = m_editor->GetGoalWeight();
    if (edited(m_shown.goalWeight, goalWeight, Measure::Weight))
        profile.SetGoalWeight(goalWeight, unit);
    m_shown.metric = unit;
}
