#include "pages/LookupPage.h"

#include "commands/AddItemCommand.h"
#include "commands/CommandText.h"
#include "commands/RemoveItemsCommand.h"
#include "commands/UserEdits.h"
#include "controls/FindField.h"
#include "controls/GroupSelectContentControl.h"
#include "data/FavoritesGroup.h"
#include "data/ItemList.h"
#include "data/UserDatabase.h"
#include "pages/LookupModel.h"
#include "skin/DropDownName.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QComboBox>
#include <QListWidget>

namespace {
constexpr int kLookupHelpTopic = 9;
}

LookupPage::LookupPage(Session& session, const QString& name, const QString& section,
                       QStringList listNames, bool lookupOnly, bool favoritesOnly)
    : SubPage(session, name, kLookupHelpTopic), m_section(section),
      m_listNames(std::move(listNames)), m_lookupOnly(lookupOnly), m_favoritesOnly(favoritesOnly)
{
}

LookupPage::~LookupPage() = default;

void LookupPage::Attach(PageHost& host)
{
    SubPage::Attach(host);
    m_chosen.reset();
    host.SetSection(m_section);
    host.SetBottomButton(1, Events::kCancel);
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, QStringLiteral("title.lookup"));
    host.SetBottomButton(0, m_lookupOnly ? Events::kDone : Events::kAdd);

    m_store = Store();
    m_model = m_store ? MakeModel(*m_store, m_favoritesOnly) : nullptr;
    if (!m_model)
        return;
    m_model->groupChanged = [this](int group) { ShowExtraButton(group); };
    // A favorite added, deleted, or brought back by an undo.
    Watch(&DataNotifier::listChanged, [this](ItemKind kind) {
        if (!m_store || kind != Favorites(*m_store).Kind() || !m_model->InFavorites())
            return;
        m_model->ItemsChanged();
        if (m_list)
            m_list->Reload();
    });
    ShowExtraButton(m_model->Group());
    m_list = dynamic_cast<GroupSelect*>(host.SetContent(QStringLiteral("GroupSelectControl")));
    if (m_list)
        m_list->SetModel(m_model.get());
    if (auto* control = dynamic_cast<GroupSelectContentControl*>(m_list)) {
        for (int g = 0; g < control->GroupCount() && g < m_listNames.size(); ++g)
            SetDropDownName(control->GroupList(g), m_listNames[g]);
        control->ItemList()->setAccessibleName(m_listNames.value(control->GroupCount()));
        control->AddFindField();
        // Enter does what the page is for: adding, or in a look-up only, showing the details.
        control->SetEnterEvent(m_lookupOnly ? Events::kItemActivated : Events::kAdd);
    }
}

void LookupPage::Detach()
{
    m_list = nullptr;
    SubPage::Detach();
}

void LookupPage::ShowExtraButton(int group)
{
    if (Host())
        Host()->SetBottomButton(-1, group == 0 ? Events::kDelete : Events::kAddFav);
}

void LookupPage::Find(const QString& typed)
{
    auto* control = dynamic_cast<GroupSelectContentControl*>(m_list);
    if (!m_model || !control)
        return;
    m_model->Find(typed);
    control->ReloadItems();
    // Found names come from every group: they can be made favorites, never deleted here.
    ShowExtraButton(m_model->InFavorites() ? 0 : -1);
}

void LookupPage::ShowRecord(int group, std::optional<std::uint32_t> record)
{
    auto* control = dynamic_cast<GroupSelectContentControl*>(m_list);
    if (!m_model || !control)
        return;
    if (m_model->Finding()) {
        m_model->Find(m_model->Typed());
    } else {
        if (m_model->Group() != group && group < control->GroupList(0)->count()) {
            control->GroupList(0)->setCurrentIndex(group);
            m_list->Reload(); // takes the choice to the model
        }
        m_model->ItemsChanged();
    }
    for (int i = 0; record && i < m_model->GetItemCount(); ++i) {
        if (m_model->RecordAt(i) == record) {
            m_model->SetSelectedItem(i);
            break;
        }
    }
    control->ReloadItems();
}

int LookupPage::OnEvent(const QString& name, QWidget* sender)
{
    if (name == Events::kFindChanged) {
        if (const auto* find = qobject_cast<const FindField*>(sender))
            Find(find->text());
        return 1;
    }
    if (name == Events::kAdd) {
        // Nothing to add from an empty list: the page stays.
        if (HasChoice())
            EndWith(Chosen);
        return 1;
    }
    if (name == Events::kCancel || name == Events::kDone) {
        EndWith(Closed);
        return 1;
    }
    if (name == Events::kAddFav) {
        AddFavorite();
        return 1;
    }
    if (name == Events::kDelete) {
        DeleteFavorite();
        return 1;
    }
    if (name == Events::kItemActivated) {
        if (HasChoice()) {
            const QString navigation = ShowDetails(*m_model->SelectedRecord());
            if (!navigation.isEmpty())
                return HandleSubPageEvent(navigation);
        }
        return 1;
    }
    return HandleSubPageEvent(name);
}

bool LookupPage::HasChoice() const
{
    return m_model && m_model->SelectedRecord().has_value();
}

void LookupPage::RecordChoice()
{
    m_chosen = m_model ? m_model->SelectedRecord() : std::nullopt;
}

void LookupPage::AddFavorite()
{
    UserEdits* edits = Edits();
    if (!m_store || !edits || !HasChoice() || m_model->InFavorites())
        return;
    std::unique_ptr<Item> favorite =
        FavoritesGroup::NewFavorite(Favorites(*m_store), *m_model->SelectedRecord());
    if (!favorite) // each once
        return;
    const QString name = m_model->GetItemText(m_model->GetSelectedItem());
    edits->Push(new AddItemCommand(*edits, std::move(favorite),
                                   CommandText::Named(QStringLiteral("Add Favorite"), name)));
}

void LookupPage::DeleteFavorite()
{
    UserEdits* edits = Edits();
    if (!m_store || !edits || !m_model || !m_model->InFavorites())
        return;
    const ItemList& favorites = Favorites(*m_store);
    const int selected = m_model->GetSelectedItem();
    if (selected < 0 || selected >= favorites.Count())
        return;
    const QString name = m_model->GetItemText(selected);
    edits->Push(
        new RemoveItemsCommand(*edits, favorites.Kind(), {favorites.At(selected)->Uid()},
                               CommandText::Named(QStringLiteral("Delete Favorite"), name)));
}
