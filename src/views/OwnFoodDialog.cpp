#include "views/OwnFoodDialog.h"

#include "controls/NumberField.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"
#include "views/MeasureValidator.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct FigureField
{
    const char* label;
    double maximum;
};

// In Food's order of numbers. Past these a figure per 100 g cannot be.
const FigureField kFigures[OwnFoods::kFigureCount] = {
    {"Calories", 1000},           {"Fat (g)", 100},        {"Saturated fat (g)", 100},
    {"Cholesterol (mg)", 100000}, {"Sodium (mg)", 100000}, {"Carbohydrates (g)", 100},
    {"Fiber (g)", 100},           {"Sugars (g)", 100},     {"Protein (g)", 100},
};

QString Shown(double value)
{
    return value >= 0 ? QString::number(value, 'g', 7) : QString();
}

// A point or a comma; none for empty text, and a flag for text that is no number.
std::optional<double> Number(const QLineEdit* field, bool& ok)
{
    QString text = field->text().trimmed();
    text.replace(u',', u'.');
    ok = true;
    if (text.isEmpty())
        return std::nullopt;
    const double value = text.toDouble(&ok);
    return value;
}

QLineEdit* NewNumberField(QWidget* parent, const QString& name)
{
    auto* field = new NumberField(parent);
    field->setAccessibleName(name);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,6}([.,]\\d{0,3})?")), field));
    return field;
}

QString Plain(const char* label)
{
    return QString::fromLatin1(label).section(QStringLiteral(" ("), 0, 0);
}

} // namespace

OwnFoodDialog::OwnFoodDialog(const QString& title, const OwnFoods::Entry& entry, Foods foods,
                             QWidget* parent)
    : QDialog(parent), m_recipe(entry.IsRecipe()), m_foods(std::move(foods)),
      m_parts(entry.ingredients)
{
    setObjectName(QStringLiteral("OwnFoodDialog"));
    setWindowTitle(title);
    SmallDialog::AddCaption(this);

    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(m_scroll);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout();
    column->addLayout(form);
    column->addStretch(); // rows keep together on a tall screen
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->setContentsMargins(5, 5, 5, 5);
    auto addRow = [form, content](const QString& label, QWidget* field) {
        auto* text = new QLabel(label + u':', content);
        text->setTextFormat(Qt::PlainText);
        text->setBuddy(field);
        form->addRow(text, field);
    };

    m_name = new QLineEdit(entry.name, content);
    m_name->setMaxLength(OwnFoods::kMaxNameLength);
    m_name->setAccessibleName(QStringLiteral("Name"));
    addRow(QStringLiteral("Name"), m_name);

    if (!m_recipe) {
        const QString unitNames[] = {QStringLiteral("Unit"), QStringLiteral("Second unit")};
        for (int u = 0; u < 2; ++u) {
            m_units[u] = new QLineEdit(entry.units[size_t(u)], content);
            m_units[u]->setMaxLength(OwnFoods::kMaxUnitLength);
            m_units[u]->setAccessibleName(unitNames[u]);
            m_units[u]->setPlaceholderText(u == 0 ? QStringLiteral("slice, cup")
                                                  : QStringLiteral("optional"));
            addRow(unitNames[u], m_units[u]);
            const QString grams = unitNames[u] + QStringLiteral(" weighs (g)");
            m_grams[u] = NewNumberField(content, grams);
            m_grams[u]->setText(Shown(entry.unitGrams[size_t(u)]));
            addRow(grams, m_grams[u]);
        }
        auto* per100 = new QLabel(QStringLiteral("In 100 g:"), content);
        per100->setTextFormat(Qt::PlainText);
        form->addRow(per100);
        for (int n = 0; n < OwnFoods::kFigureCount; ++n) {
            const QString label = QString::fromLatin1(kFigures[n].label);
            m_figures[n] = NewNumberField(content, label + QStringLiteral(" in 100 g"));
            m_figures[n]->setText(Shown(entry.figures[size_t(n)]));
            addRow(label, m_figures[n]);
        }
    } else {
        m_servings = NewNumberField(content, QStringLiteral("Servings the recipe makes"));
        m_servings->setText(Shown(entry.servings));
        addRow(QStringLiteral("Servings"), m_servings);

        auto* label = new QLabel(QStringLiteral("Ingredients:"), content);
        label->setTextFormat(Qt::PlainText);
        form->addRow(label);
        m_ingredients = new QListWidget(content);
        m_ingredients->setAccessibleName(QStringLiteral("Ingredients"));
        label->setBuddy(m_ingredients);
        for (const OwnFoods::Ingredient& part : m_parts)
            m_ingredients->addItem(IngredientText(part));
        form->addRow(m_ingredients);

        auto* buttons = new QWidget(content);
        auto* row = new QHBoxLayout(buttons);
        row->setContentsMargins(0, 0, 0, 0);
        m_add = new QPushButton(QStringLiteral("Add..."), buttons);
        m_add->setAccessibleName(QStringLiteral("Add ingredient"));
        m_remove = new QPushButton(QStringLiteral("Remove"), buttons);
        m_remove->setAccessibleName(QStringLiteral("Remove ingredient"));
        for (QPushButton* button : {m_add, m_remove}) {
            button->setAutoDefault(false);
            row->addWidget(button);
        }
        row->addStretch();
        form->addRow(buttons);

        m_amount = NewNumberField(content, QStringLiteral("Amount of the ingredient"));
        addRow(QStringLiteral("Amount"), m_amount);
        m_unitChoice = new QComboBox(content);
        m_unitChoice->setAccessibleName(QStringLiteral("Unit of the ingredient"));
        addRow(QStringLiteral("Unit"), m_unitChoice);

        connect(m_add, &QPushButton::clicked, this, &OwnFoodDialog::AddIngredient);
        connect(m_remove, &QPushButton::clicked, this, &OwnFoodDialog::RemoveIngredient);
        connect(m_ingredients, &QListWidget::currentRowChanged, this,
                &OwnFoodDialog::ShowIngredient);
        connect(m_amount, &QLineEdit::textEdited, this, &OwnFoodDialog::IngredientEdited);
        connect(m_unitChoice, &QComboBox::activated, this, &OwnFoodDialog::IngredientEdited);
        if (!m_parts.empty())
            m_ingredients->setCurrentRow(0);
        else
            ShowIngredient(-1);
    }
    m_scroll->setWidget(content);

    m_problem = new QLabel(this);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    MeasureValidator::SetUpProblemLine(m_problem, QStringLiteral("Why the food cannot be saved"));
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    DeviceScreen::Instance().Apply(this);
    m_name->setFocus();
}

QString OwnFoodDialog::Problem() const
{
    return m_problem->text();
}

QString OwnFoodDialog::IngredientText(const OwnFoods::Ingredient& ingredient) const
{
    const Food food = m_foods.find ? m_foods.find(ingredient.food) : Food{};
    return QStringLiteral("%1 %2, %3")
        .arg(Shown(ingredient.amount), food.units[ingredient.unit == 0 ? 0 : 1], food.name);
}

void OwnFoodDialog::AddIngredient()
{
    if (int(m_parts.size()) >= OwnFoods::kMaxIngredients) {
        MeasureValidator::ShowProblem(m_problem,
                                      QStringLiteral("A recipe holds at most %1 ingredients.")
                                          .arg(OwnFoods::kMaxIngredients));
        Layout();
        return;
    }
    const std::optional<std::uint32_t> food = m_foods.choose ? m_foods.choose() : std::nullopt;
    if (!food)
        return;
    m_parts.push_back({*food, 0, 1});
    m_ingredients->addItem(IngredientText(m_parts.back()));
    m_ingredients->setCurrentRow(int(m_parts.size()) - 1);
    // The amount is what the user types next.
    m_scroll->ensureWidgetVisible(m_unitChoice);
    m_amount->setFocus();
    m_amount->selectAll();
}

void OwnFoodDialog::RemoveIngredient()
{
    const int row = m_ingredients->currentRow();
    if (row < 0 || row >= int(m_parts.size()))
        return;
    m_parts.erase(m_parts.begin() + row);
    delete m_ingredients->takeItem(row);
    ShowIngredient(m_ingredients->currentRow());
    (m_parts.empty() ? static_cast<QWidget*>(m_add) : m_ingredients)->setFocus();
}

void OwnFoodDialog::ShowIngredient(int row)
{
    const bool shown = row >= 0 && row < int(m_parts.size());
    m_amount->setEnabled(shown);
    m_unitChoice->setEnabled(shown);
    m_remove->setEnabled(shown);
    m_unitChoice->clear();
    if (!shown) {
        m_amount->clear();
        return;
    }
    const OwnFoods::Ingredient& part = m_parts[size_t(row)];
    const Food food = m_foods.find ? m_foods.find(part.food) : Food{};
    m_unitChoice->addItems({food.units[0], food.units[1]});
    m_unitChoice->setCurrentIndex(part.unit == 0 ? 0 : 1);
    m_amount->setText(Shown(part.amount));
}

void OwnFoodDialog::IngredientEdited()
{
    const int row = m_ingredients->currentRow();
    if (row < 0 || row >= int(m_parts.size()))
        return;
    OwnFoods::Ingredient& part = m_parts[size_t(row)];
    bool ok = false;
    const std::optional<double> amount = Number(m_amount, ok);
    // Read whole on OK; until then the list shows what was typed that is a number.
    if (ok && amount)
        part.amount = *amount;
    part.unit = std::max(0, m_unitChoice->currentIndex());
    m_ingredients->item(row)->setText(IngredientText(part));
}

bool OwnFoodDialog::Read(OwnFoods::Entry& entry, QWidget*& bad, QString& why) const
{
    entry.name = m_name->text().simplified();
    if (entry.name.isEmpty()) {
        bad = m_name;
        why = QStringLiteral("Enter a name for the food.");
        return false;
    }
    bool ok = true;
    if (m_recipe) {
        const std::optional<double> servings = Number(m_servings, ok);
        if (!ok || !servings || *servings < OwnFoods::kMinServings ||
            *servings > OwnFoods::kMaxServings) {
            bad = m_servings;
            why = QStringLiteral("Enter how many servings the recipe makes, at most %1.")
                      .arg(OwnFoods::kMaxServings);
            return false;
        }
        if (m_parts.empty()) {
            bad = m_add;
            why = QStringLiteral("Add the foods the recipe is made of.");
            return false;
        }
        for (size_t i = 0; i < m_parts.size(); ++i) {
            if (!(m_parts[i].amount > 0) || m_parts[i].amount > OwnFoods::kMaxAmount) {
                m_ingredients->setCurrentRow(int(i));
                bad = m_amount;
                why = QStringLiteral("Enter an amount above 0 and at most %1.")
                          .arg(OwnFoods::kMaxAmount);
                return false;
            }
        }
        entry.servings = *servings;
        entry.ingredients = m_parts;
        return true;
    }
    for (int u = 0; u < 2; ++u) {
        entry.units[size_t(u)] = m_units[u]->text().simplified();
        const std::optional<double> grams = Number(m_grams[u], ok);
        if (u == 0 && entry.units[0].isEmpty()) {
            bad = m_units[0];
            why = QStringLiteral("Enter a unit the food is eaten in, such as slice or cup.");
            return false;
        }
        if (u == 1 && entry.units[1].isEmpty()) {
            if (grams) {
                bad = m_units[1];
                why = QStringLiteral("Enter the second unit's name, or clear its weight.");
                return false;
            }
            entry.unitGrams[1] = Food::kNoValue;
            continue;
        }
        if (!ok || !grams || *grams <= 0 || *grams > OwnFoods::kMaxGrams) {
            bad = m_grams[u];
            why = QStringLiteral("Enter what one %1 weighs in grams, at most %2.")
                      .arg(entry.units[size_t(u)])
                      .arg(OwnFoods::kMaxGrams);
            return false;
        }
        entry.unitGrams[size_t(u)] = *grams;
    }
    for (int n = 0; n < OwnFoods::kFigureCount; ++n) {
        const std::optional<double> value = Number(m_figures[n], ok);
        if (n == Food::Calories && !value) {
            bad = m_figures[n];
            why = QStringLiteral("Enter the calories in 100 g of the food.");
            return false;
        }
        if (!ok || (value && *value > kFigures[n].maximum)) {
            bad = m_figures[n];
            why = QStringLiteral("%1 in 100 g must be at most %2.")
                      .arg(Plain(kFigures[n].label))
                      .arg(kFigures[n].maximum);
            return false;
        }
        entry.figures[size_t(n)] = value.value_or(Food::kNoValue);
    }
    return true;
}

void OwnFoodDialog::accept()
{
    QWidget* bad = nullptr;
    QString why;
    OwnFoods::Entry entry;
    if (!Read(entry, bad, why)) {
        MeasureValidator::ShowProblem(m_problem, why);
        Layout();
        bad->setFocus();
        m_scroll->ensureWidgetVisible(bad);
        if (auto* field = qobject_cast<QLineEdit*>(bad))
            field->selectAll();
        return;
    }
    m_entry = entry;
    QDialog::accept();
}

void OwnFoodDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Layout();
}

void OwnFoodDialog::Layout()
{
    const QRect r = SmallDialog::CaptionedClient(this);
    const int margin = 5;
    const int buttons = SmallDialog::PlaceOkCancel(m_ok, m_cancel, r);
    // The fields scroll; the problem line, when there is one, stays in sight above the buttons.
    const int problemHeight =
        m_problem->text().isEmpty() ? 0 : m_problem->heightForWidth(r.width() - 2 * margin);
    const int problemTop = buttons - margin - problemHeight;
    m_problem->setGeometry(r.left() + margin, problemTop, r.width() - 2 * margin, problemHeight);
    m_problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setGeometry(r.left(), r.top(), r.width(), std::max(0, problemTop - r.top()));
    // Four ingredients in sight, so that the amount and unit below stay on the screen.
    if (m_ingredients)
        m_ingredients->setFixedHeight(m_ingredients->fontMetrics().height() * 4 +
                                      2 * m_ingredients->frameWidth() + 4);
}
