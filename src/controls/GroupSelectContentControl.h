#pragma once

#include "controls/GroupSelect.h"
#include "vocabulary/ContentControl.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QListWidget;

// The lookup pages' chain of drop-down groups above a list of items ("GroupSelectControl").
// A choice in one group goes to the model, and the groups after it and the items are read
// again; a double tap on an item, or Enter, raises "itemActivated".
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
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // GroupSelect
    QString GetName() const override { return kName; }
    void SetModel(GroupSelectModel* model) override;
    void Reload() override;

    int GroupCount() const { return int(m_groups.size()); }
    QComboBox* GroupList(int group) const { return m_groups[group]; }
    QListWidget* ItemList() const { return m_items; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RaiseItemActivated();
    void Layout();
    void OnGroupChosen(int group);
    void OnItemSelectionChanged();
    int SelectedItem() const;

    EventListener* m_listener = nullptr;
    GroupSelectModel* m_model = nullptr;
    std::vector<QComboBox*> m_groups;
    std::vector<bool> m_filled;
    QListWidget* m_items = nullptr;
    bool m_filling = false;
};
