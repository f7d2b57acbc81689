#include "controls/TitleBarControl.h"
#include "controls/BmpButtonImpl.h"
#include "controls/RecordingListener.h"
#include "skin/TestArt.h"

#include <QDateEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(TitleBarControl, PaintsTheSectionColour)
{
    TitleBarControl bar(nullptr);
    bar.resize(240, 24);
    // Between the title image and the help mark nothing covers the band.
    EXPECT_EQ(bar.grab().toImage().pixelColor(110, 12), QColor(0x00, 0x00, 0xC8)); // no section
    bar.SetSection(QStringLiteral("journal"));
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(110, 12), QColor(0xFE, 0x98, 0x00));
    EXPECT_EQ(image.pixelColor(110, 0), QColor(Qt::black));
}

TEST(TitleBarControl, NamingItemsAndClearing)
{
    ScopedTestArt art({3030, 3027});
    QWidget window;
    RecordingListener listener;
    auto* bar = new TitleBarControl(&window);
    bar->resize(240, 24);
    bar->SetSection(QStringLiteral("food"));
    bar->SetListener(&listener);
    window.resize(240, 24);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Only the menu icon and the help mark show at first.
    EXPECT_EQ(bar->Button(TitleBarControl::Icon)->Name(), QStringLiteral("menu"));
    EXPECT_EQ(std::tuple(bar->HelpButton()->isVisible(),
                         bar->Button(TitleBarControl::Title)->isVisible(),
                         bar->DatePicker()->isVisible()),
              std::tuple(true, false, false));

    bar->SetButtonName(1, QStringLiteral("title.daily"));
    EXPECT_EQ(bar->grab().toImage().pixelColor(60, 12), TestArt::ColorOf(3030));
    bar->SetButtonName(3, QStringLiteral("goals"));
    bar->SetButtonName(5, QStringLiteral("nothing"));
    bar->SetButtonName(-1, QStringLiteral("nothing"));
    for (BmpButtonImpl* button : bar->findChildren<BmpButtonImpl*>())
        EXPECT_NE(button->Name(), QStringLiteral("nothing"));

    // Icon and title are pictures; the others answer.
    EXPECT_EQ(bar->Button(TitleBarControl::Icon)->Listener(), nullptr);
    EXPECT_EQ(bar->Button(TitleBarControl::Title)->Listener(), nullptr);
    EXPECT_EQ(bar->Button(TitleBarControl::Button0)->Listener(), &listener);

    bar->SetDate(TimeBase::FromDate(QDate(2026, 12, 6)));
    bar->Clear();
    for (int index = 0; index < 5; ++index)
        EXPECT_FALSE(bar->Button(index)->isVisible()) << index;
    EXPECT_FALSE(bar->DatePicker()->isVisible());
    ASSERT_TRUE(bar->HelpButton()->isVisible());
    EXPECT_EQ(bar->grab().toImage().pixelColor(232, 12), TestArt::ColorOf(3027));

    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(232, 12));
    EXPECT_EQ(listener.names, QStringList{QStringLiteral("help")});
}

TEST(TitleBarControl, DatePickerRoundTripsDayStampsAndReportsEachUserChange)
{
    TitleBarControl bar(nullptr);
    RecordingListener listener;
    bar.SetListener(&listener);

    const TimeBase::Stamp day = TimeBase::FromDate(QDate(2026, 12, 6));
    bar.SetDate(day);
    EXPECT_EQ(std::tuple(bar.DatePicker()->isHidden(), bar.GetDate(), bar.DatePicker()->date()),
              std::tuple(false, day, QDate(2026, 12, 6)));
    EXPECT_TRUE(listener.names.isEmpty()); // the page's own date is no change

    // A stamp with a time of day comes back whole.
    const TimeBase::Stamp noon = day + 12 * 3600;
    bar.SetDate(noon);
    EXPECT_EQ(bar.GetDate(), noon);
    bar.SetDate(day);

    bar.DatePicker()->setDate(QDate(2026, 12, 7));
    bar.DatePicker()->setDate(QDate(2027, 1, 1));
    bar.DatePicker()->setDate(QDate(2027, 1, 1)); // no change, no event
    EXPECT_EQ(listener.names, Names({"dateChanged", "dateChanged"}));
    EXPECT_EQ(listener.senders, std::vector<QWidget*>({nullptr, nullptr}));
    EXPECT_EQ(bar.GetDate(), TimeBase::FromDate(QDate(2027, 1, 1)));

    // The picker holds only days a stamp can count.
    bar.DatePicker()->setDate(QDate(2100, 1, 1));
    EXPECT_EQ(bar.DatePicker()->date(), QDate(2040, 2, 6));
    EXPECT_EQ(bar.GetDate(), TimeBase::FromDate(QDate(2040, 2, 6)));
    bar.DatePicker()->setDate(QDate(1900, 1, 1));
    EXPECT_EQ(bar.GetDate(), TimeBase::FromDate(QDate(1904, 1, 1)));
}
