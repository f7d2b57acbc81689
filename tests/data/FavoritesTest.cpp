#include "data/FavoriteItem.h"
#include "data/FavoritesGroup.h"
#include "data/ItemList.h"

#include <QDateTime>

#include <gtest/gtest.h>

TEST(FavoritesTest, AReferenceIsAddedOnceAndNamedThroughTheReferenceDatabase)
{
    TimeBase::ScopedClock clock(QDateTime(QDate(2026, 3, 7), QTime(9, 30), Qt::UTC));
    ItemList list(FavoriteExerciseKind);
    EXPECT_TRUE(FavoritesGroup::Add(list, 7));
    EXPECT_FALSE(FavoritesGroup::Add(list, 7));
    EXPECT_TRUE(FavoritesGroup::Add(list, 3));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(std::pair(list.At(0)->Day(), list.At(1)->Uid()), std::pair(TimeBase::Today(), 1));

    const FavoritesGroup group(list, [](std::uint32_t record) {
        return QStringLiteral("Cardio: Exercise %1").arg(record);
    });
    EXPECT_EQ(group.RecordAt(1), 3u);
    EXPECT_EQ(QStringList({group.NameAt(0), group.NameAt(2), group.Title()}),
              QStringList({"Cardio: Exercise 7", "", ""}));
    // The group follows its list.
    list.RemoveByUid(list.At(0)->Uid());
    EXPECT_EQ(group.Count(), 1);
    EXPECT_EQ(group.NameAt(0), QStringLiteral("Cardio: Exercise 3"));
}
