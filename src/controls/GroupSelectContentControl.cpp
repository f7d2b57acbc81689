#include "controls/GroupSelectContentControl.h"

#include "controls/FindField.h"
#include "controls/GroupSelectModel.h"
#include "controls/TabChain.h"
#include "controls/WhiteBackground.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>

const QString GroupSelectContentControl::kName = QStringLiteral("GroupSelectControl");

GroupSelectContentControl::GroupSelectContentControl(QWidget* parent)
    : QWidget(parent), m_enterEvent(Events::kItemActivated)
{
    setObjectName(kName);
    SetWhiteBackground(this);

    m_items = new QListWidget(this);
    m_items->setObjectName(QStringLiteral("99"));
    m_items->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long names and find results ("name — group") wrap rather than run past a narrow screen.
    m_items->setWordWrap(true);
    m_items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_items->setFocusPolicy(Qt::StrongFocus);
    connect(m_items, &QListWidget::itemSelectionChanged, this,
            &GroupSelectContentControl::OnItemSelectionChanged);
    connect(m_items, &QListWidget::itemDoubleClicked, this,
            [this] { Raise(Events::kItemActivated); });
    m_items->installEventFilter(this);
}

bool GroupSelectContentControl::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_items || (m_find && watched == m_find)) &&
        event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            SelectedItem() >= 0) {
            Raise(m_enterEvent);
            return true;
        }
        if (!plain)
            return QWidget::eventFilter(watched, event);
        // Escape from the items too ends a find rather than the lookup.
        if (key->key() == Qt::Key_Escape && m_find && !m_find->text().isEmpty()) {
            m_find->clear();
            return true;
        }
        // The arrows walk the items found while the typing goes on.
        static constexpr int kWalkingKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                                               Qt::Key_PageDown};
        if (watched == m_find && std::ranges::count(kWalkingKeys, key->key()) > 0) {
            QCoreApplication::sendEvent(m_items, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

FindField* GroupSelectContentControl::AddFindField()
{
    if (m_find)
        return m_find;
    m_find = new FindField(this);
    m_find->SetListener(m_listener);
    m_find->WatchTyping(this);
    m_find->installEventFilter(this);
    connect(m_find, &FindField::FindChanged, this, &GroupSelectContentControl::Layout);
    m_find->show();
    ChainTabs();
    Layout();
    return m_find;
}

void GroupSelectContentControl::ChainTabs()
{
    // Tab order follows the stacking: the find field, groups top down, then the items.
    std::vector<QWidget*> chain;
    if (m_find)
        chain.push_back(m_find);
    chain.insert(chain.end(), m_groups.begin(), m_groups.end());
    chain.push_back(m_items);
    ChainTabOrder(chain);
}

void GroupSelectContentControl::Raise(const QString& name)
{
    if (m_listener)
        m_listener->OnEvent(name, nullptr);
}

void GroupSelectContentControl::SetListener(EventListener* listener)
{
    m_listener = listener;
    if (m_find)
        m_find->SetListener(listener);
}

GroupSelectContentControl::~GroupSelectContentControl()
{
    m_model = nullptr;
    m_items->removeEventFilter(this);
    m_items->disconnect(this);
    if (m_find) {
        m_find->removeEventFilter(this);
        m_find->disconnect(this);
        m_find->SetListener(nullptr);
    }
    for (QComboBox* group : m_groups)
        group->disconnect(this);
}

void GroupSelectContentControl::SetModel(GroupSelectModel* model)
{
    // A second model replaces the groups of the first rather than stacking more of them.
    for (QComboBox* group : m_groups)
        delete group;
    m_groups.clear();
    m_filled.clear();

    m_model = model;
    const int count = model ? std::clamp(model->GetGroupCount(), 0, kMaxGroups) : 0;
    for (int g = 0; g < count; ++g) {
        auto* group = new QComboBox(this);
        group->setObjectName(QString::number(100 + g));
        group->setEditable(false);
        group->setGeometry(0, 0, 10, 10);
        group->show();
        if (g < kReactingGroups)
            connect(group, qOverload<int>(&QComboBox::activated), this,
                    [this, g] { OnGroupChosen(g); });
        m_groups.push_back(group);
    }
    m_filled.assign(m_groups.size(), false);
    ChainTabs();

    Layout();
    Reload();
    m_items->setFocus(Qt::OtherFocusReason);
}

void GroupSelectContentControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Layout();
}

void GroupSelectContentControl::Layout()
{
    const QRect client = rect();
    const int bottom = client.y() + client.height();
    int y = client.y() + 1;
    if (m_find) {
        const int field = m_find->sizeHint().height();
        m_find->setGeometry(client.x(), y, client.width(), field);
        y += field + 5;
    }
    const bool finding = m_find && !m_find->text().isEmpty();
    for (QComboBox* group : m_groups) {
        group->setVisible(!finding);
        if (finding)
            continue;
        const int field = group->sizeHint().height();
        group->setGeometry(client.x(), y, client.width(), field);
        y += field + 5;
    }
    m_items->setGeometry(client.x(), y, client.width(), std::max(0, (bottom - 1) - y));
}

void GroupSelectContentControl::Reload()
{
    if (!m_model)
        return;
    m_filling = true;
    bool changed = false;
    for (int g = 0; g < int(m_groups.size()); ++g) {
        QComboBox* group = m_groups[g];
        const int count = std::clamp(m_model->GetChoiceCount(g), 0, kMaxChoices);
        // A list never filled is filled now, even when it stays empty, so it ends up disabled.
        if (!changed && m_filled[g] && group->count() == count) {
            const int selected = group->currentIndex();
            // No selection is not something the user can choose; leave the model as it is.
            if (selected < 0 || selected == m_model->GetGroupChoice(g))
                continue;
            m_model->SetGroupChoice(g, selected);
            changed = true;
            continue;
        }
        changed = true;
        group->clear();
        for (int i = 0; i < count; ++i)
            group->addItem(m_model->GetChoiceText(g, i));
        if (count > 0) {
            const int choice = m_model->GetGroupChoice(g);
            group->setCurrentIndex(choice >= 0 && choice < count ? choice : -1);
        }
        group->setEnabled(count > 0);
        m_filled[g] = true;
    }

    const int items = std::clamp(m_model->GetItemCount(), 0, kMaxItems);
    if (!changed && m_items->count() == items) {
        const int row = SelectedItem();
        if (row != m_model->GetSelectedItem())
            m_model->SetSelectedItem(row);
        m_filling = false;
        return;
    }
    FillItems();
    m_filling = false;
}

void GroupSelectContentControl::ReloadItems()
{
    if (!m_model)
        return;
    m_filling = true;
    FillItems();
    m_filling = false;
}

void GroupSelectContentControl::FillItems()
{
    const int items = std::clamp(m_model->GetItemCount(), 0, kMaxItems);
    m_items->clear();
    QStringList texts;
    texts.reserve(items);
    for (int i = 0; i < items; ++i)
        texts << m_model->GetItemText(i);
    m_items->addItems(texts);
    const int selected = m_model->GetSelectedItem();
    if (selected >= 0 && selected < items)
        m_items->setCurrentRow(selected);
}

void GroupSelectContentControl::OnGroupChosen(int)
{
    Reload();
    m_items->setFocus(Qt::OtherFocusReason);
}

void GroupSelectContentControl::OnItemSelectionChanged()
{
    if (m_filling || !m_model)
        return;
    m_model->SetSelectedItem(SelectedItem());
}

int GroupSelectContentControl::SelectedItem() const
{
    const QList<QListWidgetItem*> selected = m_items->selectedItems();
    return selected.isEmpty() ? -1 : m_items->row(selected.first());
}
