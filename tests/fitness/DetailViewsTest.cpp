#include "controls/StaticText.h"
#include "views/FitnessDetailsContentControl.h"
#include "views/FoodDetailsContentControl.h"

#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

std::pair<int, int> Span(const QWidget* w)
{
    return {w->x(), w->x() + w->width()};
}

TEST(FoodDetailsTest, NameAboveABlankRowAndSixValuesAndALongNameWhole)
{
    FoodDetailsContentControl view;
    view.resize(240, 192);
    view.show();
    EXPECT_FALSE(view.ScrollBar()->isVisible());

    const QStringList titles{"Calories:", "Carbs:", "Fiber:", "Protein:", "Fat:", "Saturated Fat:"};
    for (int n = 0; n < 6; ++n) {
        const auto* title = view.findChild<QLabel*>(QString::number(151 + 2 * n));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), titles[n]);
        EXPECT_EQ(view.ValueLabel(n)->y(), title->y());
        EXPECT_EQ(view.ValueLabel(n)->objectName(), QString::number(152 + 2 * n));
    }
    // Row 1's widths are never read (it has no controls): the columns split at the middle.
    EXPECT_EQ(Span(view.findChild<QLabel*>("151")), std::make_pair(5, 120));
    EXPECT_EQ(Span(view.ValueLabel(0)), std::make_pair(120, 235));
    // Nothing sits in the blank row; the values are said to be per 100 g under it.
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_FALSE(label->geometry().intersects(QRect(0, 27, 240, 15))) << label->text().data();
    const QLabel* per100 = view.findChild<QLabel*>("163");
    EXPECT_EQ(std::pair(per100->text(), per100->y()), std::pair(QString("Per 100 g:"), 44));

    // A long name takes the lines it needs, whole; the rows below it make room.
    view.SetFoodName(
        "Beverage, instant breakfast powder, chocolate, sugar-free, not reconstituted");
    const auto* name = qobject_cast<StaticText*>(view.NameLabel());
    ASSERT_NE(name, nullptr);
    const int added = per100->y() - 44;
    EXPECT_GT(added, 0);
    EXPECT_EQ(std::pair(name->IsCut(), name->height()), std::pair(false, 15 + added));
    EXPECT_EQ(view.ValueLabel(5)->y() - per100->y(), 6 * 17);
}

TEST(FoodDetailsTest, ValuesAreWholeNumbersAndTheNamePlainText)
{
    FoodDetailsContentControl view;
    view.SetFoodName("<b>Apples</b>, raw");
    view.SetValue(5, -52);
    view.SetValue(6, 99); // rows past the six are ignored
    view.SetValue(-1, 99);
    // A name from the database is shown as it is, never as markup.
    EXPECT_EQ(view.NameLabel()->text(), "<b>Apples</b>, raw");
    EXPECT_EQ(view.NameLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(view.ValueLabel(5)->text(), "-52");
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(view.ValueLabel(n)->text(), "") << n;
}

TEST(FitnessDetailsTest, RowsAndTexts)
{
    FitnessDetailsContentControl view;
    view.resize(240, 192);
    view.show();
    view.SetCalories(-43);
    view.SetExerciseName("Mountain bike, uphill, vigorous");
    // Two lines a row hold a long name whole.
    EXPECT_FALSE(qobject_cast<StaticText*>(view.NameLabel())->IsCut());
    EXPECT_EQ(view.CaloriesLabel()->text(), "-43");
    // Names from the database are never read as markup.
    EXPECT_EQ(view.CategoryLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(view.NameLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(view.findChild<QLabel*>("154")->text(), "Calories (15 min):");
    // The later rows repeat row 0's widths.
    EXPECT_EQ(Span(view.CaloriesLabel()), Span(view.CategoryLabel()));
}

} // namespace
