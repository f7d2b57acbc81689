#pragma once

#include "controls/GroupSelect.h"
#include "vocabulary/ContentControl.h"

#include <QWidget>

#include <vector>

class FindField;
class QComboBox;
class QListWidget;

// The lookup pages' chain of drop-down groups above a list of items ("GroupSelectControl").
// A choice in one group goes to the model, and the groups after it and the items are read
// again; a double tap on an item raises "itemActivated", Enter the page's main action. An
// optional find field above the groups takes the typing; while it holds text the groups step
// aside for the items.
class GroupSelectContentControl final : public QWidget, public ContentControl, public GroupSelect
{
    Q_OBJECT

public:
    static const QString kName;
    // Groups beyond the eleventh are shown but do not react, as on the handheld.
    static constexpr int kReactingGroups = 11;
    // Bounds for models answering nonsense.
    static constexpr int kMaxGroups = 32;
    static constexpr int kMaxChoices = 4096;
    static constexpr int kMaxItems = 65535;

    explicit GroupSelectContentControl(QWidget* parent = nullptr);
    ~GroupSelectContentControl() override;

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override;
    QWidget* GetWindow() override { return this; }

    // GroupSelect
    QString GetName() const override { return kName; }
    void SetModel(GroupSelectModel* model) override;
    void Reload() override;

    int GroupCount() const { return int(m_groups.size()); }
    QComboBox* GroupList(int group) const { return m_groups[group]; }
    QListWidget* ItemList() const { return m_items; }

    // Adds the find field once; it raises "findChanged" to this control's listener.
    FindField* AddFindField();
    FindField* Find() const { return m_find; }
    // Refills the items from the model although no group changed (the model found others).
    void ReloadItems();
    // The event Enter raises on an item, or in the find field on the item found: a double
    // tap's "itemActivated" until set.
    void SetEnterEvent(const QString& name) { m_enterEvent = name; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Raise(const QString& name);
    void Layout();
    void ChainTabs();
    void FillItems();
    void OnGroupChosen(int group);
    void OnItemSelectionChanged();
    int SelectedItem() const;

    EventListener* m_listener = nullptr;
    GroupSelectModel* m_model = nullptr;
    std::vector<QComboBox*> m_groups;
    std::vector<bool> m_filled;
    QListWidget* m_items = nullptr;
    FindField* m_find = nullptr;
    bool m_filling = false;
    QString m_enterEvent;
};
