#include "pages/FitnessLogPage.h"

#include "data/UserDatabase.h"
#include "data/UserProfile.h"
#include "pages/ExerciseDetailsPage.h"
#include "pages/ExerciseLogRow.h"
#include "pages/ExerciseLookupPage.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {
constexpr int kHelpTopic = 7;
constexpr int kColumnPercents[] = {45, 27, 28};
} // namespace

FitnessLogPage::FitnessLogPage(Session& session)
    : GridLogPage(session, Events::kGoFitness, kHelpTopic, FitnessKind, QStringLiteral("fitness"),
                  QStringLiteral("Fitness log"))
{
}

QString FitnessLogPage::GetColumnTitle(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("Exercise");
    case 1:
        return QStringLiteral("Time");
    case 2:
        return QStringLiteral("Calories");
    default:
        return QString();
    }
}

QString FitnessLogPage::GetCellText(const GridCell& cell)
{
    const LogRow* row = Row(cell.row);
    if (!row)
        return QString();
    switch (cell.column) {
    case 0:
        return row->Name();
    case 1:
        return UserProfile::DurationText(row->GetField(0));
    case 2:
        return QString::number(row->Calories());
    default:
        return QString();
    }
}

int FitnessLogPage::GetChoiceCount(const GridCell&)
{
    return UserProfile::kDurationCount;
}

QString FitnessLogPage::GetChoiceText(const GridCell&, int index)
{
    return UserProfile::DurationText(index);
}

std::unique_ptr<LogRow> FitnessLogPage::MakeRow(UserDatabase& store) const
{
    return std::make_unique<ExerciseLogRow>(store.References().Exercises(), store.Profile());
}

std::unique_ptr<LookupPage> FitnessLogPage::MakeLookup(bool lookup, bool favorites) const
{
    return std::make_unique<ExerciseLookupPage>(GetSession(), lookup, favorites);
}

QString FitnessLogPage::ColumnWidthKey(int column) const
{
    return QStringLiteral("layout/fitness/col%1").arg(column);
}

int FitnessLogPage::DefaultColumnPercent(int column) const
{
    return column >= 0 && column < 3 ? kColumnPercents[column] : 0;
}

void FitnessLogPage::ShowSelectedDetails()
{
    const auto* row = static_cast<const ExerciseLogRow*>(SelectedRow());
    if (!row || !Host())
        return;
    ExerciseDetailsPage details(GetSession(), row->ExerciseId());
    RunSubPage(details);
}
