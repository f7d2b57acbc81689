#pragma once

#include "controls/GridCellEditor.h"
#include "controls/GridModel.h"
#include "pages/LogPage.h"
#include "pages/LogRow.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Grid;
class ItemList;
class LookupPage;
class SubPage;
class UserDatabase;

// The food and fitness log pages: the day's items of one log as rows of the grid, whose data
// model and cell editor the page is. Items are added through a lookup page, or copied from or to
// another day with the menu's "Copy From..." and "Copy To..."; every change of the log is an
// edit the user can undo, and the rows are made again whenever the day's items change.
class GridLogPage : public LogPage, public GridModel, public GridCellEditor
{
public:
    // `listName` names the grid for assistive technology ("Food log").
    GridLogPage(Session& session, const QString& name, int helpTopic, ItemKind kind,
                const QString& section, const QString& listName);
    ~GridLogPage() override;

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // GridModel (columns, titles and cell texts are the pages' own)
    int GetColumnWidth(int column) override;
    int GetRowCount() override { return int(m_rows.size()); }
    int GetSelectedRow() override { return m_selected; }
    void SetCurrentRow(int row) override;
    GridCellEditor* GetCellEditor(const GridCell& cell) override;

    // GridCellEditor: an editable column c edits the row's field c - 1.
    int Activate(const GridCell&) override { return 0; }
    int GetCurrentChoice(const GridCell& cell) override;
    void SetChoice(const GridCell& cell, int index) override;

    int RowCount() const { return int(m_rows.size()); }
    LogRow* Row(int row) const;
    Grid* ShownGrid() const { return m_grid; }

protected:
    void OpenPicker(bool lookup, bool favorites) override;
    void DeleteSelected() override;
    void ReloadDay() override;

    // Adds an item of the page's kind for the record to the day and selects it.
    void AddItem(std::uint32_t record);
    LogRow* SelectedRow() const { return Row(m_selected); }
    // Selects the row of the item with the uid, if the day shows it.
    void SelectUid(std::int32_t uid);

    virtual std::unique_ptr<LogRow> MakeRow(UserDatabase& store) const = 0;
    virtual std::unique_ptr<LookupPage> MakeLookup(bool lookup, bool favorites) const = 0;
    // The skin key of a column's width in percent of the grid, and its default.
    virtual QString ColumnWidthKey(int column) const = 0;
    virtual int DefaultColumnPercent(int column) const = 0;
    virtual bool IsEditable(int column) const = 0;
    // Runs the details of the selected row in a sub-page; a navigation out of it is followed.
    virtual void ShowSelectedDetails() = 0;
    // Runs a sub-page in the host; a navigation event it ended with is handled by this page, as
    // if raised here.
    void RunSubPage(SubPage& page);

    UserDatabase* UserData() const { return m_store; }

private:
    // "Copy From...": every item of a day the user chooses, the day before by default, into the
    // shown day. "Copy To...": the selected item into a day the user chooses, the day after by
    // default.
    void CopyFrom();
    void CopyTo();
    // Copies the items of the page's kind to the day as one edit; false when the list had no
    // room for them, which the user is told under `title`.
    bool Copy(const QString& title, const std::vector<std::int32_t>& uids, const QString& firstName,
              TimeBase::Stamp day);
    void NothingToCopy(const QString& title, TimeBase::Stamp day) const;
    // The day chosen in the copy dialog; none when cancelled or when the page was detached
    // meanwhile.
    std::optional<TimeBase::Stamp> AskDay(const QString& title, const QString& prompt,
                                          TimeBase::Stamp first) const;
    // The day's rows, with the row `selected` selected (the last one past the end, the first
    // when none was).
    void BuildRows(int selected);
    void RefreshGrid();

    QString m_section;
    QString m_listName;
    UserDatabase* m_store = nullptr;
    std::vector<std::unique_ptr<LogRow>> m_rows;
    int m_selected = -1;
    Grid* m_grid = nullptr;
};
