#include "PagesTestSupport.h"

#include "blog/PostProtocol.h"
#include "controls/TitleBarControl.h"
#include "data/AnsiCodec.h"
#include "data/WeightItem.h"
#include "pages/DailyChartPage.h"
#include "views/DailyChartContentControl.h"
#include "vocabulary/Events.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace {

class DailyChartTest : public PagesTest
{
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        CompleteProfile(Profile()); // 80 kg at the start
        m_store->Settings().SetMetric(1);
        m_page.SetValueSource(&m_values);
    }
    DailyChartContentControl* Chart() const
    {
        return qobject_cast<DailyChartContentControl*>(m_dialog->Content());
    }
    QString Shown(int field) const { return Chart()->FieldAt(field)->text(); }
    void ShowDay(TimeBase::Stamp day)
    {
        m_dialog->SetDate(day);
        Event(Events::kDateChanged);
    }
    WeightItem* AddWeight(TimeBase::Stamp day, float kilograms)
    {
        auto* entry = Add<WeightItem>(m_store->Weights(), day);
        entry->SetKilograms(kilograms);
        return entry;
    }
    float StoredKilograms(int index) const
    {
        return m_store->Weights().ItemAt<WeightItem>(index)->Kilograms();
    }

    const TimeBase::ScopedClock m_clock{QDateTime(QDate(2007, 3, 7), QTime(9, 30))};
    const TimeBase::Stamp m_today = TimeBase::Today();
    const TimeBase::Stamp m_day = 86400;
    TestSupport::IdValues m_values;
    DailyChartPage& m_page = Keep<DailyChartPage>();
};

TEST_F(DailyChartTest, SumsTheDayWithUnknownFoodValuesAsZero)
{
    auto addFood = [&](TimeBase::Stamp day, std::int32_t calories) {
        Add<FoodItem>(m_store->FoodLog(), day)->SetFoodId(std::uint32_t(calories));
    };
    addFood(m_today, 500);
    addFood(m_today, -1); // missing from the reference data
    addFood(m_today - m_day, 900);
    Add<FitnessItem>(m_store->FitnessLog(), m_today)->SetExerciseId(700);

    m_dialog->SetPage(&m_page);
    const QString goal = QString::number(Profile().DailyCalorieGoal());
    using F = DailyChartContentControl;
    EXPECT_EQ(QStringList({Shown(F::Goal), Shown(F::Todays), Shown(F::Consumed), Shown(F::Burned)}),
              QStringList({goal, "-200", "500", "700"}));
    ShowDay(m_today + m_day); // nothing logged
    EXPECT_EQ(QStringList({Shown(F::Goal), Shown(F::Todays), Shown(F::Consumed), Shown(F::Burned)}),
              QStringList({goal, "0", "0", "0"}));
}

// A day without an entry shows the last known weight but stores one only when the user types.
TEST_F(DailyChartTest, ShowsTheLastKnownWeightAndStoresOnlyWhatIsTyped)
{
    m_dialog->SetPage(&m_page);
    EXPECT_EQ(Shown(DailyChartContentControl::Weight), "80"); // empty list: the start weight
    AddWeight(m_today - 10 * m_day, 75);
    AddWeight(m_today - 20 * m_day, 72); // added last, though not the nearest day
    AddWeight(m_today - 25 * m_day, 0);  // an older version's empty field: no weight
    // Paging through the days with the title bar's date, as a person does.
    QDateEdit* date = m_dialog->TitleBar()->DatePicker();
    date->setCurrentSection(QDateTimeEdit::DaySection);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(date, key);
    EXPECT_EQ(m_page.Day(), m_today + 3 * m_day);
    EXPECT_EQ(Shown(DailyChartContentControl::Weight), "72");
    ShowDay(m_today - 5 * m_day);
    EXPECT_EQ(m_store->Weights().Count(), 3);

    AddWeight(m_today - 30 * m_day, 66);
    AddWeight(m_today - 30 * m_day, 99);
    ShowDay(m_today - 30 * m_day);
    EXPECT_EQ(Shown(DailyChartContentControl::Weight), "66"); // the first of the day
    Chart()->FieldAt(DailyChartContentControl::Weight)->setText(QStringLiteral("64"));
    ShowDay(m_today);
    EXPECT_EQ(Shown(DailyChartContentControl::Weight), "99"); // the last added, as stored
    QTest::keyClicks(Chart()->FieldAt(DailyChartContentControl::Weight), ".5");
    m_dialog->SetPage(nullptr);
    EXPECT_EQ(m_store->Weights().Count(), 6);
    EXPECT_EQ(std::tuple(StoredKilograms(3), StoredKilograms(4), StoredKilograms(5)),
              std::tuple(64.0f, 99.0f, 99.5f));
}

// An empty field means no weight entered: the day keeps its entry, and no day gets one.
TEST_F(DailyChartTest, AnEmptyWeightStoresNothing)
{
    AddWeight(m_today, 75);
    m_dialog->SetPage(&m_page);
    for (TimeBase::Stamp day : {m_today, m_today + m_day}) {
        Chart()->FieldAt(DailyChartContentControl::Weight)->clear();
        ShowDay(day);
    }
    EXPECT_EQ(Shown(DailyChartContentControl::Weight), "75");
    m_dialog->SetPage(nullptr);
    ASSERT_EQ(m_store->Weights().Count(), 1);
    EXPECT_EQ(StoredKilograms(0), 75.0f);
}

// Typed weights take one decimal and a value the profile could store; the line below says why
// anything else is not stored.
TEST_F(DailyChartTest, TypedWeightsTakeOneDecimalWithinTheProfilesRange)
{
    struct Case
    {
        unsigned metric;
        const char *typed, *shown, *line;
        float kilograms; // 0: nothing stored
    };
    const Case cases[] = {
        {1, "178.5", "178.5", "", 178.5f},
        {0, "178.5", "178.5", "", UserProfile::WeightFromDisplay(178.5f, false)},
        {1, "70.25", "70.2", "Current weight: digits and one decimal.", 70.2f},
        {0, "5", "5", "Current weight must be 45 to 992 lbs.", 0},
        {1, "40000", "40000", "Current weight must be 20 to 450 kg.", 0},
        {1, "19.9", "19.9", "Current weight must be 20 to 450 kg.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_store->Weights().Clear();
        m_store->Settings().SetMetric(c.metric);
        m_dialog->SetPage(&m_page);
        QLineEdit* weight = Chart()->FieldAt(DailyChartContentControl::Weight);
        weight->selectAll();
        QTest::keyClicks(weight, QString::fromLatin1(c.typed));
        const auto* line = Chart()->findChild<QLabel*>(QStringLiteral("156"));
        EXPECT_EQ(std::pair(weight->text(), line ? line->text() : QString("no line")),
                  std::pair(QString::fromLatin1(c.shown), QString::fromLatin1(c.line)));
        m_dialog->SetPage(nullptr);
        EXPECT_EQ(m_store->Weights().Count(), c.kilograms > 0 ? 1 : 0);
        if (c.kilograms > 0) {
            EXPECT_EQ(StoredKilograms(0), c.kilograms);
            m_dialog->SetPage(&m_page); // shown again as typed
            EXPECT_EQ(Shown(DailyChartContentControl::Weight), QString::fromLatin1(c.shown));
            m_dialog->SetPage(nullptr);
        }
    }
}

// A shown weight is stored back only when the user changed it: merely looking at the chart in
// pounds must not wear the weight down.
TEST_F(DailyChartTest, LookingDoesNotChangeTheWeightAndUnitsSwitchAfterSaving)
{
    m_store->Settings().SetMetric(0);
    AddWeight(m_today, 70.9f);
    for (int visit = 0; visit < 3; ++visit) {
        m_dialog->SetPage(&m_page);
        EXPECT_EQ(Shown(DailyChartContentControl::Weight), "156");
        m_dialog->SetPage(nullptr);
    }
    EXPECT_EQ(StoredKilograms(0), 70.9f);

    m_dialog->SetPage(&m_page);
    QLineEdit* weight = Chart()->FieldAt(DailyChartContentControl::Weight);
    weight->setText(QStringLiteral("160"));
    m_store->Settings().SetMetric(1);
    Event(Events::kPreferences);
    EXPECT_EQ(StoredKilograms(0), UserProfile::WeightFromDisplay(160, false));
    EXPECT_EQ(weight->text(), "72");
    QTest::keyClicks(weight, "x5");
    EXPECT_EQ(weight->text(), "725"); // digits only
}

// Without a profile the goal can be computed from, the chart asks for the profile (the ranges
// themselves are UserProfileTest's).
TEST_F(DailyChartTest, IncompleteProfileAsksForItAndTakesTheUserThere)
{
    const std::pair<const char*, void (*)(UserProfile&)> spoils[] = {
        {"no age", [](UserProfile& p) { p.SetAge(0); }},
        {"goal weight 5 kg", [](UserProfile& p) { p.SetGoalWeight(5, true); }},
        {"goal before start", [](UserProfile& p) { p.SetGoalDate(p.GetStartDate() - 86400); }}};
    for (const auto& [name, spoil] : spoils) {
        SCOPED_TRACE(name);
        CompleteProfile(Profile());
        Profile().SetGoalDate(Profile().GetStartDate() + 60 * 86400);
        spoil(Profile());
        m_dialog->SetPage(&m_page);
        EXPECT_EQ(std::pair(Shown(DailyChartContentControl::Weight),
                            Shown(DailyChartContentControl::Goal)),
                  std::pair(QString("Fill Profile"), QString()));
        m_dialog->SetPage(nullptr);
    }
    EXPECT_EQ(m_store->Weights().Count(), 0);

    TestPage profilePage(m_session, Events::kProfile, 3);
    m_dialog->SetPage(&m_page);
    QLineEdit* weight = Chart()->FieldAt(DailyChartContentControl::Weight);
    EXPECT_TRUE(weight->isReadOnly());

    Event(Events::kBlog); // nothing but zeros to post
    ASSERT_EQ(m_proxy.requests.size(), 1);
    EXPECT_TRUE(m_proxy.requests[0].body.contains(
        "<td>Current Weight</td><td>0</td></tr><tr><td>Daily Caloric Goal</td><td>0</td>"));

    QTest::keyClick(weight, Qt::Key_Return);
    EXPECT_EQ(m_dialog->CurrentPage(), &profilePage);
    EXPECT_EQ(m_store->Weights().Count(), 0);
    m_dialog->SetPage(nullptr);
}

TEST_F(DailyChartTest, PostCarriesTheFiguresShown)
{
    SetAccount();
    Profile().SetUserName(QStringLiteral("Zoë"));
    Add<FoodItem>(m_store->FoodLog(), m_today)->SetFoodId(1234);
    m_dialog->SetPage(&m_page);
    Chart()->FieldAt(DailyChartContentControl::Weight)->setText(QStringLiteral("79.5"));
    Event(Events::kBlog);

    ASSERT_EQ(m_proxy.requests.size(), 1);
    EXPECT_TRUE(m_proxy.requests[0].head.startsWith("POST /post "));
    const QString table =
        QStringLiteral("<table><tr><td>Current Weight</td><td>79.5</td></tr><tr><td>Daily Caloric "
                       "Goal</td><td>%1</td></tr><tr><td>Today's Calories</td><td>1234</td></tr>"
                       "<tr><td>Calories Consumed</td><td>1234</td></tr><tr><td>Calories "
                       "Burned</td><td>0</td></tr></table>")
            .arg(Chart()->FieldAt(DailyChartContentControl::Goal)->text());
    EXPECT_EQ(m_proxy.requests[0].body, "Nutrava - Daily Chart on 03/07/07" + QByteArray(1, '\0') +
                                            table.toLatin1() + QByteArray(1, '\0') +
                                            AnsiCodec::Encode(QStringLiteral("Zoë")) +
                                            QByteArray(1, '\0'));
    EXPECT_EQ(StoredKilograms(0), 79.5f); // saved before posting
    EXPECT_EQ(m_dialogs.messages, QStringList());
}

} // namespace
