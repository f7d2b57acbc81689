#include "fitness/FitnessDetailsContentControl.h"
#include "fitness/FoodDetailsContentControl.h"
#include "skin/SkinSettings.h"

#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

std::pair<int, int> Span(const QWidget* w)
{
    return {w->x(), w->x() + w->width()};
}

TEST(FoodDetailsTest, NameAboveABlankRowAndSixValues)
{
    SkinSettings::Instance().Init(240, 320);
    FoodDetailsContentControl view;
    view.resize(240, 192);
    view.show();
    EXPECT_FALSE(view.ScrollBar()->isVisible());
    EXPECT_EQ(view.NameLabel()->geometry(), QRect(5, 10, 230, 15));

    const QStringList titles{"Calories:", "Carbs:", "Fiber:", "Protein:", "Fat:", "Saturated Fat:"};
    for (int n = 0; n < 6; ++n) {
        const auto* title = view.findChild<QLabel*>(QString::number(151 + 2 * n));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), titles[n]);
        // Rows 2..7: 17 pixels apart, after the blank row 1.
        EXPECT_EQ(title->y(), 10 + 17 * (n + 2));
        EXPECT_EQ(view.ValueLabel(n)->y(), title->y());
        EXPECT_EQ(view.ValueLabel(n)->objectName(), QString::number(152 + 2 * n));
    }
    // Row 1's widths are never read (it has no controls): the columns split at the middle.
    EXPECT_EQ(Span(view.findChild<QLabel*>("151")), std::make_pair(5, 120));
    EXPECT_EQ(Span(view.ValueLabel(0)), std::make_pair(120, 235));
    // Nothing sits in the blank row.
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_FALSE(label->geometry().intersects(QRect(0, 27, 240, 15))) << label->text().data();
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
    SkinSettings::Instance().Init(240, 320);
    FitnessDetailsContentControl view;
    view.resize(240, 192);
    view.show();
    view.SetCalories(-43);
    EXPECT_EQ(view.CaloriesLabel()->text(), "-43");
    // Names from the database are never read as markup.
    EXPECT_EQ(view.CategoryLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(view.NameLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(view.findChild<QLabel*>("154")->text(), "Calories (15 min):");

    EXPECT_EQ(Span(view.findChild<QLabel*>("150")), std::make_pair(5, 105));
    EXPECT_EQ(Span(view.CategoryLabel()), std::make_pair(135, 235));
    // The later rows repeat row 0's widths.
    EXPECT_EQ(Span(view.CaloriesLabel()), std::make_pair(135, 235));
    EXPECT_EQ(view.CaloriesLabel()->geometry().y(), 10 + 2 * 32);
    EXPECT_EQ(view.CaloriesLabel()->height(), 30);

    // Landscape: the "default1" skin's wider second column.
    SkinSettings::Instance().Init(320, 240);
    view.resize(320, 120);
    EXPECT_FALSE(view.ScrollBar()->isVisible());
    EXPECT_EQ(Span(view.NameLabel()), std::make_pair(165, 315));
    SkinSettings::Instance().Init(240, 320);
}

} // namespace
