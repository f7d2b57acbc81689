#include "views/FoodDetailsContentControl.h"

#include "data/UserProfile.h"

#include <QLabel>

#include <algorithm>

const QString FoodDetailsContentControl::kName = QStringLiteral("FoodDetailsControl");

FoodDetailsContentControl::FoodDetailsContentControl(QWidget* parent) : RowLayoutContainer(parent)
{
    setObjectName(kName);
    std::vector<RowLayout::Row> rows;
    m_name = MakeStatic(150);
    m_name->setWordWrap(true);
    rows.push_back({m_name, nullptr});
    rows.push_back({}); // a blank row between the name and the values
    // The database's figures are per 100 g, the log's per portion: say which these are.
    rows.push_back({MakeStatic(163, QStringLiteral("Per 100 g:")), nullptr});
    for (int n = 0; n < UserProfile::kNutrientCount; ++n) {
        QLabel* title = MakeStatic(151 + 2 * n, UserProfile::NutrientName(n) + QLatin1Char(':'));
        m_values[n] = MakeStatic(152 + 2 * n);
        rows.push_back({title, m_values[n]});
    }
    SetRowLayout(std::make_unique<RowLayout>(QStringLiteral("layout/foodDetails"), rows));
}

void FoodDetailsContentControl::SetFoodName(const QString& name)
{
    m_name->setText(name);
    Relayout();
}

void FoodDetailsContentControl::SetValue(int nutrient, int value)
{
    if (nutrient >= 0 && nutrient < int(m_values.size()))
        m_values[nutrient]->setText(QString::asprintf("%d", value));
}

int FoodDetailsContentControl::NameExtraHeight(int clientWidth) const
{
    const int width = Layout()->GetRowsRect(QRect(0, 0, clientWidth, 0)).width();
    return std::max(0, m_name->heightForWidth(width) - m_name->heightForWidth(QWIDGETSIZE_MAX));
}

int FoodDetailsContentControl::GetContentHeight(const QRect& clientRect, const ScrollInfo& info)
{
    return RowLayoutContainer::GetContentHeight(clientRect, info) +
           NameExtraHeight(clientRect.width());
}

void FoodDetailsContentControl::LayoutContent(const QRect& contentRect, const QRect& clientRect,
                                              int yTop)
{
    RowLayoutContainer::LayoutContent(contentRect, clientRect, yTop);
    // A long name takes the lines it needs; everything below it moves down as much.
    const int extra = NameExtraHeight(contentRect.width());
    if (extra == 0)
        return;
    m_name->resize(m_name->width(), m_name->height() + extra);
    for (int r = 1; r < Layout()->RowCount(); ++r) {
        for (QWidget* control : {Layout()->RowAt(r).first, Layout()->RowAt(r).second}) {
            if (control)
                control->move(control->x(), control->y() + extra);
        }
    }
}
