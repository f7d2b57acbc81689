#pragma once

#include "controls/Grid.h"
#include "vocabulary/ContentControl.h"

#include <QWidget>

class GridEnumCellControl;
class GridListView;
class GridTableModel;

// The log pages' grid ("GridContentControl"): a report list over a page's GridModel that asks
// for texts on demand, edits cells in place with a drop-down list and raises "gridActivate" on
// a double tap. Space or F2 edits the current cell, or the row's first editable one.
class CustomGrid final : public QWidget, public ContentControl, public Grid
{
    Q_OBJECT

public:
    static const QString kName;

    explicit CustomGrid(QWidget* parent = nullptr);
    ~CustomGrid() override;

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // Grid
    QString GetName() const override { return kName; }
    void SetModel(GridModel* model) override;
    void Refresh(int row) override;
    int GetClientWidth() const override;

    GridListView* List() const { return m_list; }
    GridEnumCellControl* Editor() const { return m_editor; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RebuildColumns();
    void ApplyColumnWidths();
    void ReportCurrentRow();
    void OnClicked(const QModelIndex& index);
    void OnEditKey(const QModelIndex& index);
    void OnDoubleTap();
    void StartEditing(int row, int column);

    GridListView* m_list = nullptr;
    GridEnumCellControl* m_editor = nullptr;
    GridTableModel* m_adapter = nullptr;
    GridModel* m_model = nullptr;
    EventListener* m_listener = nullptr;
    bool m_refreshing = false;
};
