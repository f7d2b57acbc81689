#include "pages/ExerciseDetailsPage.h"

#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/UserDatabase.h"
#include "pages/ExerciseLogRow.h"
#include "views/FitnessDetails.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {
constexpr int kDetailsHelpTopic = 9;
}

ExerciseDetailsPage::ExerciseDetailsPage(Session& session, std::uint32_t exercise)
    : SubPage(session, QStringLiteral("fitness.details"), kDetailsHelpTopic), m_exercise(exercise)
{
}

void ExerciseDetailsPage::Attach(PageHost& host)
{
    SubPage::Attach(host);
    host.SetSection(QStringLiteral("fitness"));
    host.SetBottomButton(0, Events::kDone);
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, QStringLiteral("title.lookup"));
    UserDatabase* store = Store();
    if (!store)
        return;

    // A quarter hour of the exercise, as a log entry would show it.
    FitnessItem item(0);
    item.SetExerciseId(m_exercise);
    item.SetDurationIndex(0);
    ExerciseLogRow row(store->References().Exercises(), store->Profile());
    row.Attach(item);

    const ExerciseGroup* group =
        store->References().Exercises()
            ? store->References().Exercises()->GroupOf(std::int32_t(m_exercise))
            : nullptr;
    auto* view =
        dynamic_cast<FitnessDetails*>(host.SetContent(QStringLiteral("FitnessDetailsControl")));
    if (!view)
        return;
    view->SetCategory(group ? group->Title() : QString::fromLatin1(kUnknownCategory));
    view->SetExerciseName(row.Name());
    view->SetCalories(row.Calories());
}

int ExerciseDetailsPage::OnEvent(const QString& name, QWidget*)
{
    if (name == Events::kDone) {
        EndWith(Closed);
        return 1;
    }
    return HandleSubPageEvent(name);
}
