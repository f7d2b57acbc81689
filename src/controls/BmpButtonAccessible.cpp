#include "controls/BmpButtonAccessible.h"

#include "controls/BmpButtonImpl.h"

namespace {

struct Spoken
{
    const char* section; // nullptr: any section
    const char* name;
    const char* words;
};

// Section-specific rows come first: the first match wins.
constexpr Spoken kSpoken[] = {
    {"main", "header", "Nutrava, diet and fitness tracker"},
    {"main", "profile", "Profile"},
    {"main", "journal", "Journal"},
    {"main", "fitness", "Fitness Log"},
    {"main", "food", "Food Log"},
    {"food", "title", "Food Log"},
    {"food", "title.lookup", "Food Look-up"},
    {"food", "title.details", "Food Details"},
    {"fitness", "title", "Fitness Log"},
    {"fitness", "title.lookup", "Exercise Look-up"},
    {"journal", "title", "Daily Journal"},
    {"profile", "title", "Profile"},
    {nullptr, "daily", "Daily Chart"},
    {nullptr, "title.daily", "Daily Chart"},
    {nullptr, "title.goals", "Goals"},
    {nullptr, "title.results", "Results"},
    {nullptr, "add", "Add"},
    {nullptr, "add.fav", "Add to Favorites"},
    {nullptr, "fav", "Favorites"},
    {nullptr, "menu.fav", "Favorites"},
    {nullptr, "menu.daily", "Daily Chart"},
    {nullptr, "menu", "Menu"},
    {nullptr, "cancel", "Cancel"},
    {nullptr, "delete", "Delete"},
    {nullptr, "done", "Done"},
    {nullptr, "edit", "Edit"},
    {nullptr, "lookup", "Look Up"},
    {nullptr, "help", "Help"},
    {nullptr, "blog", "Post to Blog"},
    {nullptr, "blogger", "Blog Account"},
    {nullptr, "create", "Create Blog"},
    {nullptr, "test", "Test Account"},
    {nullptr, "view", "View Blog"},
    {nullptr, "weight", "Weight"},
    {nullptr, "goals", "Goals"},
    {nullptr, "results", "Results"},
    {nullptr, "profile", "Profile"},
    {nullptr, "goHome", "Home"},
    {nullptr, "goProfile", "Profile"},
    {nullptr, "goJournal", "Journal"},
    {nullptr, "goFitness", "Fitness Log"},
    {nullptr, "goFood", "Food Log"},
};

// "title.lookup" -> "Title Lookup": better than nothing for a name the table lacks.
QString Plain(const QString& name)
{
    QStringList words = name.split(u'.', Qt::SkipEmptyParts);
    for (QString& word : words)
        word[0] = word[0].toUpper();
    return words.join(u' ');
}

} // namespace

BmpButtonAccessible::BmpButtonAccessible(BmpButtonImpl* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

BmpButtonImpl* BmpButtonAccessible::Button() const
{
    return static_cast<BmpButtonImpl*>(widget());
}

QString BmpButtonAccessible::SpokenName(const QString& section, const QString& name)
{
    for (const Spoken& row : kSpoken) {
        if ((!row.section || section == QLatin1String(row.section)) &&
            name == QLatin1String(row.name))
            return QString::fromLatin1(row.words);
    }
    return Plain(name);
}

QAccessible::Role BmpButtonAccessible::role() const
{
    return Button()->Listener() ? QAccessible::Button : QAccessible::Graphic;
}

QAccessible::State BmpButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->isDown();
    return state;
}

QString BmpButtonAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name) {
        const QString own = Button()->accessibleName();
        return own.isEmpty() ? SpokenName(Button()->Section(), Button()->Name()) : own;
    }
    return QAccessibleWidget::text(type);
}

QStringList BmpButtonAccessible::actionNames() const
{
    return Button()->Listener() ? QStringList{pressAction()} : QStringList{};
}

void BmpButtonAccessible::doAction(const QString& action)
{
    if (action == pressAction() && Button()->Listener())
        Button()->click();
}
