#include "pages/FitnessLogPage.h"

#include "commands/SetOwnCaloriesCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "data/UserProfile.h"
#include "pages/ExerciseDetailsPage.h"
#include "pages/ExerciseLogRow.h"
#include "pages/ExerciseLookupPage.h"
#include "views/OwnCaloriesDialog.h"
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

void FitnessLogPage::Attach(PageHost& host)
{
    GridLogPage::Attach(host);
    host.AddMenuCommand(QStringLiteral("My Calories..."), Events::kOwnCalories);
}

int FitnessLogPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kOwnCalories) {
        SetOwnCalories();
        return 1;
    }
    return GridLogPage::OnEvent(name, sender);
}

void FitnessLogPage::SetOwnCalories()
{
    UserEdits* edits = Edits();
    const LogRow* row = SelectedRow();
    if (!edits || !Host())
        return;
    if (!row) {
        Host()->ShowMessage(QStringLiteral("My Calories"),
                            QStringLiteral("Select an exercise of the day first."));
        return;
    }
    const std::int32_t uid = row->RowItem()->Uid();
    OwnCaloriesDialog dialog(row->Name(), edits->Store().Own().Of(uid),
                             dynamic_cast<QWidget*>(Host()));
    if (dialog.exec() == QDialog::Accepted)
        edits->Push(new SetOwnCaloriesCommand(*edits, uid, dialog.Calories()));
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
    return std::make_unique<ExerciseLogRow>(store.References().Exercises(), store.Profile(),
                                            &store.Own());
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
