#pragma once

#include "controls/GridModel.h"
#include "pages/LogPage.h"

#include <QPointer>

#include <cstdint>
#include <vector>

class Grid;
class JournalItem;

// The journal ("goJournal"): the day's notes in a grid, "B" marking those posted to the blog.
// Entries are written and posted on the entry sub-page; the daily tip greets the first visit of
// the day.
class JournalPage final : public LogPage, public GridModel
{
public:
    explicit JournalPage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // GridModel
    int GetColumnCount() override { return 2; }
    QString GetColumnTitle(int column) override;
    int GetColumnWidth(int column) override;
    int GetRowCount() override { return int(m_rows.size()); }
    QString GetCellText(const GridCell& cell) override;
    int GetSelectedRow() override { return m_selected; }
    void SetCurrentRow(int row) override;
    GridCellEditor* GetCellEditor(const GridCell&) override { return nullptr; }

    // The uids of the shown entries, in list order.
    const std::vector<std::int32_t>& Rows() const { return m_rows; }

protected:
    void OpenPicker(bool lookup, bool favorites) override;
    void DeleteSelected() override;
    void ReloadDay() override;

private:
    JournalItem* EntryAt(int row) const;
    void EditSelected();
    // Runs the entry page; stores into `entry`, or appends a new entry when there is none.
    void RunEntryPage(JournalItem* entry);
    void ShowRows(int selected);
    // The day's entries read again, the row `selected` selected (the last one past the end, the
    // first when none was).
    void ShowDay(int selected);
    Grid* View() const;

    std::vector<std::int32_t> m_rows;
    int m_selected = -1;
    Grid* m_grid = nullptr;
    QPointer<QWidget> m_window;
};
