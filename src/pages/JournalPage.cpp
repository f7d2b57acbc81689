#include "pages/JournalPage.h"

#include "commands/AddItemCommand.h"
#include "commands/CommandText.h"
#include "commands/EditJournalEntryCommand.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/UserEdits.h"
#include "controls/CustomGrid.h"
#include "controls/Grid.h"
#include "controls/GridListView.h"
#include "data/JournalItem.h"
#include "data/ReferenceDatabases.h"
#include "data/UserDatabase.h"
#include "pages/JournalEntryPage.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QWidget>

#include <algorithm>

namespace {
const QString kName = QStringLiteral("goJournal");
constexpr int kHelpTopic = 6;
} // namespace

JournalPage::JournalPage(Session& session) : LogPage(session, kName, kHelpTopic, JournalKind) {}

void JournalPage::Attach(PageHost& host)
{
    LogPage::Attach(host);
    host.SetSection(Events::kJournal);
    host.SetBottomButton(1, Events::kAdd);
    host.SetBottomButton(2, Events::kDelete);
    host.SetBottomButton(3, Events::kEdit);
    host.SetBottomButton(0, Events::kDone);
    host.SetTitleButton(1, QStringLiteral("title"));
    host.SetDate(Day());
    host.SetTitleButton(0, Events::kMenu);
    ContentControl* content = host.SetContent(QStringLiteral("GridContentControl"));
    m_grid = dynamic_cast<Grid*>(content);
    m_window = m_grid ? content->GetWindow() : nullptr;
    if (Grid* grid = View())
        grid->SetModel(this);
    if (auto* grid = dynamic_cast<CustomGrid*>(m_grid))
        grid->List()->setAccessibleName(QStringLiteral("Journal entries"));
    ReloadDay();
    Watch(&DataNotifier::dayChanged, [this](ItemKind kind, TimeBase::Stamp day) {
        if (kind == JournalKind && day == Day())
            ShowDay(m_selected);
    });

    UserDatabase* store = Store();
    const QString tip = store ? store->References().DailyTip() : QString();
    if (!tip.isEmpty())
        host.ShowMessage(QStringLiteral("Daily Tip"), tip);
}

void JournalPage::Detach()
{
    if (Grid* grid = View())
        grid->SetModel(nullptr);
    m_grid = nullptr;
    m_window = nullptr;
    LogPage::Detach();
}

int JournalPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kEdit || name == Events::kGridActivate) {
        EditSelected();
        return 1;
    }
    return HandleLogEvent(name, sender);
}

Grid* JournalPage::View() const
{
    return m_window ? m_grid : nullptr;
}

QString JournalPage::GetColumnTitle(int column)
{
    return column == 0 ? QStringLiteral("Notes") : QStringLiteral("B");
}

int JournalPage::GetColumnWidth(int column)
{
    const Grid* grid = View();
    const int total = grid ? grid->GetClientWidth() : 0;
    const int posted = total / 10;
    return column == 0 ? total - posted : posted;
}

QString JournalPage::GetCellText(const GridCell& cell)
{
    const JournalItem* entry = EntryAt(cell.row);
    if (!entry)
        return {};
    if (cell.column == 0)
        return entry->Subject();
    return entry->Posted() ? QStringLiteral("B") : QStringLiteral(" ");
}

void JournalPage::SetCurrentRow(int row)
{
    m_selected = row >= 0 && row < int(m_rows.size()) ? row : -1;
}

JournalItem* JournalPage::EntryAt(int row) const
{
    UserDatabase* store = Store();
    if (!store || row < 0 || row >= int(m_rows.size()))
        return nullptr;
    return static_cast<JournalItem*>(store->Journal().FindByUid(m_rows[size_t(row)]));
}

void JournalPage::ReloadDay()
{
    ShowDay(0);
}

void JournalPage::ShowDay(int selected)
{
    m_rows.clear();
    if (UserDatabase* store = Store()) {
        std::vector<Item*> items;
        store->Journal().ItemsOfDay(Day(), items);
        for (const Item* item : items)
            m_rows.push_back(item->Uid());
    }
    ShowRows(m_rows.empty() ? -1 : std::clamp(selected, 0, int(m_rows.size()) - 1));
}

void JournalPage::ShowRows(int selected)
{
    m_selected = selected;
    if (Grid* grid = View())
        grid->Refresh(-1);
}

void JournalPage::OpenPicker(bool, bool)
{
    RunEntryPage(nullptr);
}

void JournalPage::EditSelected()
{
    if (JournalItem* entry = EntryAt(m_selected))
        RunEntryPage(entry);
}

void JournalPage::RunEntryPage(JournalItem* entry)
{
    UserDatabase* store = Store();
    if (!store || !Host())
        return;
    // Remembered by uid: the entry is looked up again once the sub-page is over.
    const bool existing = entry != nullptr;
    const std::int32_t uid = existing ? entry->Uid() : 0;
    JournalEntryPage page(GetSession(), Day(), entry && entry->Posted(),
                          entry ? entry->Subject() : QString(), entry ? entry->Body() : QString());
    Host()->RunSubPage(&page);

    UserEdits* edits = Edits();
    if (page.Accepted() && edits) {
        if (existing) {
            edits->Push(new EditJournalEntryCommand(*edits, uid,
                                                    {page.Subject(), page.Body(), page.Posted()}));
        } else {
            auto item = std::make_unique<JournalItem>(Day());
            item->SetSubject(page.Subject());
            item->SetBody(page.Body());
            item->SetPosted(page.Posted());
            auto* add = new AddItemCommand(
                *edits, std::move(item), CommandText::Named(QStringLiteral("Add"), page.Subject()));
            if (edits->Push(add)) { // not when the journal is full
                const auto added = std::find(m_rows.begin(), m_rows.end(), add->Uid());
                ShowRows(added == m_rows.end() ? m_selected : int(added - m_rows.begin()));
            }
        }
    }
    // Leaving the entry page through navigation leaves the journal too.
    if (!page.ResultText().isEmpty())
        OnEvent(page.ResultText(), nullptr);
}

void JournalPage::DeleteSelected()
{
    UserEdits* edits = Edits();
    const JournalItem* entry = EntryAt(m_selected);
    if (!edits || !entry)
        return;
    edits->Push(new RemoveItemsCommand(*edits, JournalKind, {entry->Uid()},
                                       CommandText::Deleted(1, entry->Subject())));
}
