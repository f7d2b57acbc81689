#include "pages/GridLogPage.h"

#include "controls/CustomGrid.h"
#include "controls/GridListView.h"
#include "data/Log.h"
#include "data/UserDatabase.h"
#include "pages/LookupPage.h"
#include "skin/SkinSettings.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

GridLogPage::GridLogPage(const QString& name, int helpTopic, ItemKind kind, const QString& section,
                         const QString& listName)
    : LogPage(name, helpTopic, kind), m_section(section), m_listName(listName)
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

    m_store = UserDatabase::Instance();
    m_log = m_store ? &m_store->List(Kind()) : nullptr;
    BuildRows();
    m_grid = dynamic_cast<Grid*>(host.SetContent(QStringLiteral("GridContentControl")));
    if (m_grid)
        m_grid->SetModel(this);
    if (auto* grid = dynamic_cast<CustomGrid*>(m_grid))
        grid->List()->setAccessibleName(m_listName);
}

void GridLogPage::Detach()
{
    if (m_store && m_log) {
        m_store->SaveList(*m_log);
        m_store->SaveFavorites();
        // Written through at once: nothing depends on leaving the program the normal way.
        m_store->Commit();
    }
    m_grid = nullptr;
    m_rows.clear();
    m_selected = -1;
    m_log = nullptr;
    LogPage::Detach();
}

int GridLogPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kGridActivate) {
        if (SelectedRow())
            ShowSelectedDetails();
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
    LogRow* row = Row(cell.row);
    if (!row || !IsEditable(cell.column))
        return;
    row->SetField(cell.column - 1, index);
    if (m_grid)
        m_grid->Refresh(cell.row);
}

void GridLogPage::BuildRows()
{
    m_rows.clear();
    if (m_store && m_log) {
        std::vector<Item*> items;
        m_log->ItemsOfDay(Day(), items);
        m_rows.reserve(items.size());
        for (Item* item : items) {
            m_rows.push_back(MakeRow(*m_store));
            m_rows.back()->Attach(*item);
        }
    }
    m_selected = m_rows.empty() ? -1 : 0;
    RefreshGrid();
}

void GridLogPage::RefreshGrid()
{
    if (m_grid)
        m_grid->Refresh(-1);
}

void GridLogPage::ReloadDay()
{
    BuildRows();
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
    if (!m_store || !m_log)
        return;
    Item* item = m_log->Append(UserDatabase::CreateItem(Kind(), Day()));
    if (!item) // the list is full; the store said so
        return;
    item->SetReference(record);
    m_rows.push_back(MakeRow(*m_store));
    m_rows.back()->Attach(*item);
    m_selected = int(m_rows.size()) - 1;
    RefreshGrid();
}

void GridLogPage::DeleteSelected()
{
    const LogRow* row = SelectedRow();
    if (!row || !m_log)
        return;
    const std::int32_t uid = row->RowItem()->Uid();
    m_rows.erase(m_rows.begin() + m_selected);
    if (!m_log->RemoveByUid(uid))
        Store::Log(Store::Info, "Item uid %d not found for deletion", uid);
    if (m_selected >= int(m_rows.size()))
        m_selected = int(m_rows.size()) - 1;
    RefreshGrid();
}
