#include "pages/GridLogPage.h"

#include "commands/AddItemCommand.h"
#include "commands/CommandText.h"
#include "commands/CopyItemsCommand.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/SetItemFieldCommand.h"
#include "commands/UserEdits.h"
#include "controls/CustomGrid.h"
#include "controls/GridListView.h"
#include "data/UserDatabase.h"
#include "pages/LookupPage.h"
#include "skin/SkinSettings.h"
#include "views/DayChoiceDialog.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <algorithm>

GridLogPage::GridLogPage(Session& session, const QString& name, int helpTopic, ItemKind kind,
                         const QString& section, const QString& listName)
    : LogPage(session, name, helpTopic, kind), m_section(section), m_listName(listName)
{
}

GridLogPage::~GridLogPage() = default;

void GridLogPage::Attach(PageHost& host)
{
    LogPage::Attach(host);
    host.SetSection(m_section);
    host.SetBottomButton(0, Events::kDone);
    host.SetBottomButton(1, Events::kFav);
    host.SetBottomButton(2, Events::kAdd);
    host.SetBottomButton(3, Events::kDelete);
    host.SetDate(Day());
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, QStringLiteral("title"));
    host.SetTitleButton(2, Events::kLookup);
    host.AddMenuCommand(QStringLiteral("Copy From..."), Events::kCopyFrom);
    host.AddMenuCommand(QStringLiteral("Copy To..."), Events::kCopyTo);

    m_store = Store();
    BuildRows(0);
    m_grid = dynamic_cast<Grid*>(host.SetContent(QStringLiteral("GridContentControl")));
    if (m_grid)
        m_grid->SetModel(this);
    if (auto* grid = dynamic_cast<CustomGrid*>(m_grid))
        grid->List()->setAccessibleName(m_listName);

    Watch(&DataNotifier::dayChanged, [this](ItemKind kind, TimeBase::Stamp day) {
        if (kind == Kind() && day == Day())
            BuildRows(m_selected);
    });
    // The tracked nutrient and the weight class behind the figures.
    Watch(&DataNotifier::profileChanged, [this] {
        if (m_grid)
            m_grid->SetModel(this);
    });
}

void GridLogPage::Detach()
{
    m_grid = nullptr;
    m_rows.clear();
    m_selected = -1;
    LogPage::Detach();
}

int GridLogPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kGridActivate) {
        if (SelectedRow())
            ShowSelectedDetails();
        return 1;
    }
    if (name == Events::kCopyFrom) {
        CopyFrom();
        return 1;
    }
    if (name == Events::kCopyTo) {
        CopyTo();
        return 1;
    }
    return HandleLogEvent(name, sender);
}

LogRow* GridLogPage::Row(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)].get() : nullptr;
}

int GridLogPage::GetColumnWidth(int column)
{
    const int percent =
        SkinSettings::Instance().GetUnscaled(ColumnWidthKey(column), DefaultColumnPercent(column));
    const int width = m_grid ? m_grid->GetClientWidth() : 0;
    return int(float(width) * float(percent) * 0.01f);
}

void GridLogPage::SetCurrentRow(int row)
{
    m_selected = Row(row) ? row : -1;
}

GridCellEditor* GridLogPage::GetCellEditor(const GridCell& cell)
{
    return Row(cell.row) && IsEditable(cell.column) ? this : nullptr;
}

int GridLogPage::GetCurrentChoice(const GridCell& cell)
{
    const LogRow* row = Row(cell.row);
    return row ? row->GetField(cell.column - 1) : -1;
}

void GridLogPage::SetChoice(const GridCell& cell, int index)
{
    const LogRow* row = Row(cell.row);
    UserEdits* edits = Edits();
    if (!row || !edits || !IsEditable(cell.column))
        return;
    // The lists only offer these; a damaged record may hold anything.
    const int value = std::clamp(index, 0, std::max(0, GetChoiceCount(cell) - 1));
    edits->Push(
        new SetItemFieldCommand(*edits, Kind(), row->RowItem()->Uid(), cell.column - 1, value));
}

void GridLogPage::BuildRows(int selected)
{
    m_rows.clear();
    if (m_store) {
        std::vector<Item*> items;
        m_store->List(Kind()).ItemsOfDay(Day(), items);
        m_rows.reserve(items.size());
        for (Item* item : items) {
            m_rows.push_back(MakeRow(*m_store));
            m_rows.back()->Attach(*item);
        }
    }
    m_selected = m_rows.empty() ? -1 : std::clamp(selected, 0, int(m_rows.size()) - 1);
    RefreshGrid();
}

void GridLogPage::RefreshGrid()
{
    if (m_grid)
        m_grid->Refresh(-1);
}

void GridLogPage::ReloadDay()
{
    BuildRows(0);
}

void GridLogPage::OpenPicker(bool lookup, bool favorites)
{
    if (!Host())
        return;
    const std::unique_ptr<LookupPage> picker = MakeLookup(lookup, favorites);
    RunSubPage(*picker);
    if (picker->ResultText().isEmpty() && picker->ResultCode() == SubPage::Chosen &&
        picker->ChosenRecord())
        AddItem(*picker->ChosenRecord());
}

void GridLogPage::RunSubPage(SubPage& page)
{
    Host()->RunSubPage(&page);
    if (!page.ResultText().isEmpty())
        OnEvent(page.ResultText(), nullptr);
}

void GridLogPage::AddItem(std::uint32_t record)
{
    UserEdits* edits = Edits();
    if (!m_store || !edits)
        return;
    std::unique_ptr<Item> item = UserDatabase::CreateItem(Kind(), Day());
    item->SetReference(record);
    const std::unique_ptr<LogRow> row = MakeRow(*m_store);
    row->Attach(*item);
    auto* add = new AddItemCommand(*edits, std::move(item),
                                   CommandText::Named(QStringLiteral("Add"), row->Name()));
    // The new row is selected; a full list added nothing (and the command is gone).
    if (edits->Push(add))
        SelectUid(add->Uid());
}

void GridLogPage::SelectUid(std::int32_t uid)
{
    for (int r = 0; r < RowCount(); ++r) {
        if (Row(r)->RowItem()->Uid() == uid)
            m_selected = r;
    }
    RefreshGrid();
}

void GridLogPage::DeleteSelected()
{
    const LogRow* row = SelectedRow();
    UserEdits* edits = Edits();
    if (!row || !edits)
        return;
    edits->Push(new RemoveItemsCommand(*edits, Kind(), {row->RowItem()->Uid()},
                                       CommandText::Deleted(1, row->Name())));
}

void GridLogPage::CopyFrom()
{
    if (!m_store || !Host())
        return;
    const std::optional<TimeBase::Stamp> from =
        AskDay(QStringLiteral("Copy From"), QStringLiteral("Copy all items of:"),
               TimeBase::AddDays(Day(), -1));
    if (!from)
        return;
    std::vector<Item*> items;
    m_store->List(Kind()).ItemsOfDay(*from, items);
    if (items.empty()) {
        NothingToCopy(QStringLiteral("Copy From"), *from);
        return;
    }
    std::vector<std::int32_t> uids;
    for (const Item* item : items)
        uids.push_back(item->Uid());
    const std::unique_ptr<LogRow> first = MakeRow(*m_store);
    first->Attach(*items.front());
    const int copies = RowCount();
    if (!Copy(QStringLiteral("Copy From"), uids, first->Name(), Day()))
        return;
    // The copies follow the rows the day had: the first of them is selected.
    m_selected = std::min(copies, RowCount() - 1);
    RefreshGrid();
}

void GridLogPage::CopyTo()
{
    const LogRow* row = SelectedRow();
    if (!Host())
        return;
    if (!row) {
        if (RowCount() == 0)
            NothingToCopy(QStringLiteral("Copy To"), Day());
        else
            Host()->ShowMessage(QStringLiteral("Copy To"),
                                QStringLiteral("Select the item to copy, then choose Copy To."));
        return;
    }
    // Kept before the dialog: the rows are made again whenever the day's items change.
    const std::int32_t uid = row->RowItem()->Uid();
    const QString name = row->Name();
    const std::optional<TimeBase::Stamp> to =
        AskDay(QStringLiteral("Copy To"), CommandText::Copied(1, name) + QStringLiteral(" to:"),
               TimeBase::AddDays(Day(), 1));
    if (!to || !Copy(QStringLiteral("Copy To"), {uid}, name, *to) || *to == Day())
        return;
    // The shown day does not change: the user is told where the copy went.
    Host()->ShowMessage(QStringLiteral("Copy To"),
                        QStringLiteral("%1 was copied to %2.")
                            .arg(name.simplified(), TimeBase::ShortDateText(*to)));
}

void GridLogPage::NothingToCopy(const QString& title, TimeBase::Stamp day) const
{
    Host()->ShowMessage(title, QStringLiteral("Nothing is logged on %1: there is nothing to copy.")
                                   .arg(TimeBase::ShortDateText(day)));
}

bool GridLogPage::Copy(const QString& title, const std::vector<std::int32_t>& uids,
                       const QString& firstName, TimeBase::Stamp day)
{
    UserEdits* edits = Edits();
    if (!edits)
        return false;
    if (edits->Push(new CopyItemsCommand(*edits, Kind(), uids, day,
                                         CommandText::Copied(int(uids.size()), firstName))))
        return true;
    if (Host())
        Host()->ShowMessage(title, QStringLiteral("The log is full: nothing was copied."));
    return false;
}

std::optional<TimeBase::Stamp> GridLogPage::AskDay(const QString& title, const QString& prompt,
                                                   TimeBase::Stamp first) const
{
    // Over the page's dialog, when the host is one.
    DayChoiceDialog dialog(title, prompt, first, dynamic_cast<QWidget*>(Host()));
    // A page let go meanwhile (its window closed, the program ending) copies nothing.
    if (dialog.exec() != QDialog::Accepted || !Host())
        return std::nullopt;
    return dialog.ChosenDay();
}
