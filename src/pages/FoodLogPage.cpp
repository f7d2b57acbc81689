#include "pages/FoodLogPage.h"

#include "commands/QuickAddCommand.h"
#include "commands/UserEdits.h"
#include "controls/Grid.h"
#include "data/UserDatabase.h"
#include "data/UserProfile.h"
#include "pages/FoodDetailsPage.h"
#include "pages/FoodLogRow.h"
#include "pages/FoodLookupPage.h"
#include "views/QuickAddDialog.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

namespace {
constexpr int kHelpTopic = 8;
constexpr int kColumnPercents[] = {40, 14, 21, 25};
} // namespace

FoodLogPage::FoodLogPage(Session& session)
    : GridLogPage(session, Events::kGoFood, kHelpTopic, FoodKind, QStringLiteral("food"),
                  QStringLiteral("Food log"))
{
}

void FoodLogPage::Attach(PageHost& host)
{
    GridLogPage::Attach(host);
    host.AddMenuCommand(QStringLiteral("Quick Add..."), Events::kQuickAdd);
}

void FoodLogPage::QuickAdd()
{
    UserEdits* edits = Edits();
    if (!edits || !Host())
        return;
    QuickAddDialog dialog(dynamic_cast<QWidget*>(Host()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto* add = new QuickAddCommand(*edits, Day(), dialog.Entry());
    if (edits->Push(add))
        SelectUid(add->Uid());
}

int FoodLogPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kQuickAdd) {
        QuickAdd();
        return 1;
    }
    if (name == Events::kPreferences) {
        // The tracked nutrient may have changed: the fourth column is read again.
        if (ShownGrid())
            ShownGrid()->SetModel(this);
        return 1;
    }
    return GridLogPage::OnEvent(name, sender);
}

int FoodLogPage::TrackedNutrient() const
{
    const UserDatabase* store = UserData();
    return store ? store->Profile().GetFoodTracking() : 0;
}

QString FoodLogPage::GetColumnTitle(int column)
{
    switch (column) {
    case 0:
        return QStringLiteral("Item");
    case 1:
        return QStringLiteral("No");
    case 2:
        return QStringLiteral("Units");
    case 3:
        return UserProfile::NutrientName(TrackedNutrient());
    default:
        return QString();
    }
}

QString FoodLogPage::GetCellText(const GridCell& cell)
{
    const auto* row = static_cast<const FoodLogRow*>(Row(cell.row));
    if (!row)
        return QString();
    switch (cell.column) {
    case 0:
        return row->Name();
    case 1:
        return QString::number(row->GetField(FoodLogRow::Quantity) + 1);
    case 2:
        return row->UnitName(row->GetField(FoodLogRow::Unit));
    case 3:
        return QString::number(row->NutrientAmount(TrackedNutrient()));
    default:
        return QString();
    }
}

int FoodLogPage::GetChoiceCount(const GridCell& cell)
{
    return cell.column == 1 ? FoodLogRow::kQuantities : FoodLogRow::kUnits;
}

QString FoodLogPage::GetChoiceText(const GridCell& cell, int index)
{
    if (cell.column == 1)
        return QString::number(index + 1);
    const auto* row = static_cast<const FoodLogRow*>(Row(cell.row));
    return row ? row->UnitName(index) : QString();
}

std::unique_ptr<LogRow> FoodLogPage::MakeRow(UserDatabase& store) const
{
    return std::make_unique<FoodLogRow>(store.References());
}

std::unique_ptr<LookupPage> FoodLogPage::MakeLookup(bool lookup, bool favorites) const
{
    return std::make_unique<FoodLookupPage>(GetSession(), lookup, favorites);
}

QString FoodLogPage::ColumnWidthKey(int column) const
{
    return QStringLiteral("layout/food/col%1").arg(column);
}

int FoodLogPage::DefaultColumnPercent(int column) const
{
    return column >= 0 && column < 4 ? kColumnPercents[column] : 0;
}

void FoodLogPage::ShowSelectedDetails()
{
    const auto* row = static_cast<const FoodLogRow*>(SelectedRow());
    if (!row || !Host())
        return;
    FoodDetailsPage details(GetSession(), row->FoodId());
    RunSubPage(details);
}
