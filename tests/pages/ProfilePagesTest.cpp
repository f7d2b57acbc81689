#include "PagesTestSupport.h"
#include "UserInput.h"

#include "controls/DayPicker.h"
#include "controls/TitleBarControl.h"
#include "data/WeightItem.h"
#include "pages/GoalsPage.h"
#include "pages/ProfilePage.h"
#include "pages/ResultsPage.h"
#include "skin/DeviceScreen.h"
#include "views/GoalsContentControl.h"
#include "views/ProfileEditorContentControl.h"
#include "views/TrendContentControl.h"
#include "vocabulary/Events.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

namespace {

QString AccessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The label a screen reader announces with the field.
QString LabelOf(QWidget* widget)
{
    const auto labels =
        QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

class ProfilePagesTest : public PagesTest
{
protected:
    // Complete, and past the blog account page unless told otherwise.
    void CompleteProfileSeen(bool seen = true)
    {
        CompleteProfile(Profile());
        Profile().SetFlags(seen ? UserProfile::kBlogAccountSeen : 0);
    }
    // The page in a shown dialog that is not run modally: events are sent to it directly.
    void Open(Page& page) { PagesTest::Open(page, true); }
    template <class T> T* Content() const { return qobject_cast<T*>(m_dialog->Content()); }
    ProfileEditorContentControl* Editor() const { return Content<ProfileEditorContentControl>(); }
    QString LabelText(int id) const
    {
        return Editor()->findChild<QLabel*>(QString::number(id))->text();
    }

    ProfilePage& m_profile = Keep<ProfilePage>();
    GoalsPage& m_goals = Keep<GoalsPage>();
    ResultsPage& m_results = Keep<ResultsPage>();
};

TEST_F(ProfilePagesTest, EditorShowsTheChosenUnitsAndLeavesUntouchedNumbersExact)
{
    for (const auto& [metric, height, weight, heightLabel] :
         {std::tuple{0u, "70", "150", "Height (inches)"},
          std::tuple{1u, "178", "68", "Height (cm)"}}) {
        SCOPED_TRACE(metric);
        Reopen();
        CompleteProfile(Profile());
        Profile().SetHeightFromDisplay(177.8f, true);
        Profile().SetStartWeight(68, true);
        m_store->Settings().SetMetric(metric);
        Open(m_profile);
        EXPECT_EQ(Editor()->HeightField()->text(), QString::fromLatin1(height));
        EXPECT_EQ(Editor()->StartWeightField()->text(), QString::fromLatin1(weight));
        EXPECT_EQ(LabelText(153), QString::fromLatin1(heightLabel));
        // Leaving without touching a number keeps what it stood for, not its shown rounding.
        Event(Events::kDone);
        EXPECT_FLOAT_EQ(Profile().HeightCm(), 177.8f);
        EXPECT_FLOAT_EQ(Profile().StartWeightKg(), 68.0f);
        // A weight takes one decimal, and comes back as typed.
        Open(m_profile);
        Editor()->GoalWeightField()->selectAll();
        QTest::keyClicks(Editor()->GoalWeightField(), "150.5");
        Event(Events::kDone);
        EXPECT_EQ(Profile().GoalWeightKg(), UserProfile::WeightFromDisplay(150.5f, metric));
        Open(m_profile);
        EXPECT_EQ(Editor()->GoalWeightField()->text(), QStringLiteral("150.5"));
    }
}

// The fields' names are AccessibleTreeTest's, and the walkthrough's, which finds them by name.
TEST_F(ProfilePagesTest, EveryFieldHasALabelARoleAndItsPlaceInTheTabOrder)
{
    Open(m_profile);
    ProfileEditorContentControl* e = Editor();
    const std::vector<std::tuple<QWidget*, const char*, QAccessible::Role>> fields{
        {e->FoodTrackingField(), "Food Tracking:", QAccessible::ComboBox},
        {e->NameField(), "Name:", QAccessible::EditableText},
        {e->AgeField(), "Age (years):", QAccessible::EditableText},
        {e->HeightField(), "Height (inches)", QAccessible::EditableText},
        {e->StartWeightField(), "Start Weight (lbs)", QAccessible::EditableText},
        {e->StartDateField(), "Start Date:", QAccessible::SpinBox},
        {e->GoalWeightField(), "Goal Weight (lbs)", QAccessible::EditableText},
        {e->GoalDateField(), "Goal Date:", QAccessible::SpinBox}};
    QWidget* before = nullptr;
    for (const auto& [field, label, role] : fields) {
        EXPECT_EQ(LabelOf(field), QString::fromLatin1(label));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->role(), role) << label;
        QWidget* next = before ? before->nextInFocusChain() : field;
        while (!(next->focusPolicy() & Qt::TabFocus) || next->focusProxy())
            next = next->nextInFocusChain();
        EXPECT_EQ(next, field) << label;
        before = field;
    }
}

TEST_F(ProfilePagesTest, TypingIntoAFieldHoldingTheDefaultZeroReplacesIt)
{
    using namespace UserInput;
    Open(m_profile);
    Activate(*m_dialog);
    ProfileEditorContentControl* e = Editor();
    const auto tapEnd = [&](QLineEdit* field) {
        Tap(*m_dialog, field, QPoint(field->width() - 4, field->height() / 2));
    };
    ASSERT_EQ(e->AgeField()->text(), QStringLiteral("0"));
    tapEnd(e->AgeField());
    Type(*m_dialog, "35");
    Press(*m_dialog, Qt::Key_Tab);
    Type(*m_dialog, "70");
    EXPECT_EQ(std::pair(e->AgeField()->text(), e->HeightField()->text()),
              std::pair(QString("35"), QString("70")));
    // Any other number is the user's to go on with.
    tapEnd(e->AgeField());
    Type(*m_dialog, "6");
    EXPECT_EQ(e->AgeField()->text(), QStringLiteral("356"));
}

TEST_F(ProfilePagesTest, PreferencesKeepTypedValuesAndTheNewlyChosenNutrient)
{
    Open(m_profile);
    Editor()->HeightField()->setText(QStringLiteral("71"));
    Editor()->StartWeightField()->setText(QStringLiteral("150"));
    Editor()->FoodTrackingField()->setCurrentIndex(1);
    // What the preferences dialog stores before the page hears "preferences".
    m_store->Settings().SetMetric(1);
    Profile().SetFoodTracking(3);
    Event(Events::kPreferences);
    EXPECT_EQ(LabelText(153), QStringLiteral("Height (cm)"));
    EXPECT_EQ(Editor()->HeightField()->text(), QStringLiteral("180"));     // 71 inches
    EXPECT_EQ(Editor()->StartWeightField()->text(), QStringLiteral("68")); // 150 lbs
    EXPECT_FLOAT_EQ(Profile().HeightCm(), 71 * 2.54f);
    EXPECT_EQ(Profile().GetFoodTracking(), 3);
    EXPECT_EQ(Editor()->FoodTrackingField()->currentIndex(), 3);
}

TEST_F(ProfilePagesTest, TheBlogAccountPageComesFirstUntilSeenAndAnIncompleteProfileStays)
{
    struct Case
    {
        bool complete, seen, bloggerPage;
        const char *event, *lands;
    };
    const Case cases[] = {
        {true, false, true, "goals", "blogger"},
        {true, false, true, "goFood", "blogger"},
        {true, true, true, "goals", "goals"},
        {true, true, true, "results", "results"},
        {true, true, true, "goFood", "goFood"},
        {true, true, true, "goProfile", "results"},
        {true, true, true, "blogger", "blogger"},
        {false, true, true, "goals", "profile"},
        {false, true, true, "results", "profile"},
        // Until the blog account page is built, nothing stands in the way.
        {true, false, false, "goals", "goals"},
        {true, false, false, "blogger", "profile"},
    };
    TestPage food(m_session, Events::kGoFood, 8);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.event << " complete " << c.complete << " seen "
                                          << c.seen << " blog page " << c.bloggerPage);
        Reopen();
        CompleteProfileSeen(c.seen);
        if (!c.complete)
            Profile().SetUserName(QString());
        auto blogger =
            c.bloggerPage ? std::make_unique<TestPage>(m_session, Events::kBlogger, 11) : nullptr;
        Open(m_profile);
        EXPECT_EQ(Event(QString::fromLatin1(c.event)), 1);
        EXPECT_EQ(Current(), QString::fromLatin1(c.lands));
        m_dialog.reset();
    }
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

// What is typed during a visit is one edit, on disk within the save delay of leaving the page;
// nothing waits for the program to end.
TEST_F(ProfilePagesTest, DoneMakesOneEditThatReachesTheDiskSoon)
{
    CompleteProfile(Profile());
    ASSERT_TRUE(m_store->Commit());
    Open(m_profile);
    m_profile.Editor()->SetUserName(QStringLiteral("Bob"));
    m_dialog->SetPage(nullptr);
    m_dialog->SetPage(&m_profile);
    m_profile.Editor()->SetAge(42);
    Event(Events::kApplyEdits); // as the menu's Undo asks
    m_profile.Editor()->SetAge(43);
    Event(Events::kDone);
    QUndoStack& history = m_edits->Stack();
    EXPECT_EQ(std::pair(history.count(), history.undoText()),
              std::pair(2, QString("Change Profile")));
    EXPECT_TRUE(m_edits->SavePending());
    QSignalSpy saved(m_edits, &UserEdits::saved);
    ASSERT_TRUE(saved.wait(UserEdits::kSaveDelayMs * 3));
    EXPECT_TRUE(TestSupport::ReadFile(m_store->UserFilePath()).contains("Bob"));
    EXPECT_FALSE(m_edits->SaveOwed());
}

// Typed as a person types; what the profile cannot hold is refused or said, and never stored.
TEST_F(ProfilePagesTest, EditorSaysWhichFieldIsOutOfRangeAndStoresNone)
{
    using Form = ProfileEditorContentControl;
    struct Case
    {
        QLineEdit* (Form::*field)() const;
        const char *typed, *shown, *said;
    };
    const Case cases[] = {
        {&Form::AgeField, "40000", "40000", "Age must be 1 to 120 years."},
        {&Form::AgeField, "0", "0", "Age must be 1 to 120 years."},
        {&Form::AgeField, "x", "", "Age: digits only."},
        {&Form::HeightField, "9999", "9999", "Height must be 20 to 98 inches."},
        {&Form::StartWeightField, "5", "5", "Start weight must be 45 to 992 lbs."},
        {&Form::GoalWeightField, "993", "993", "Goal weight must be 45 to 992 lbs."},
        {&Form::NameField, "", "", "Enter your name."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Reopen();
        CompleteProfileSeen();
        const UserProfile before = Profile();
        Open(m_profile);
        EXPECT_EQ(Editor()->ProblemLabel()->text(), QString());
        QLineEdit* field = (Editor()->*c.field)();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        EXPECT_EQ(std::pair(field->text(), AccessibleName(Editor()->ProblemLabel())),
                  std::pair(QString::fromLatin1(c.shown), QString::fromLatin1(c.said)));
        for (const QString& event : {Events::kGoals, Events::kResults}) {
            Event(event);
            EXPECT_EQ(Current(), QStringLiteral("profile"));
        }
        Event(Events::kDone);
        EXPECT_EQ(std::tuple(Profile().GetAge(), Profile().HeightCm(), Profile().StartWeightKg(),
                             Profile().GoalWeightKg()),
                  std::tuple(before.GetAge(), before.HeightCm(), before.StartWeightKg(),
                             before.GoalWeightKg()));
    }
    Reopen();
    CompleteProfileSeen();
    Open(m_profile);
    Editor()->GoalDateField()->setDate(Editor()->StartDateField()->date().addDays(-1));
    EXPECT_EQ(Editor()->ProblemLabel()->text(), "The goal date is before the start date.");
    Event(Events::kGoals);
    EXPECT_EQ(Current(), QStringLiteral("profile"));
}

TEST_F(ProfilePagesTest, GoalsShowFiguresOnlyForAProfileThatHasThem)
{
    // The ranges themselves are UserProfileTest's.
    const std::pair<const char*, void (*)(UserProfile&)> noFigures[] = {
        {"no height", [](UserProfile& p) { p.SetHeightFromDisplay(0, true); }},
        {"age wrapped on disk", [](UserProfile& p) { p.SetAge(-25536); }},
        {"goal before start", [](UserProfile& p) { p.SetGoalDate(p.GetStartDate() - 86400); }}};
    for (const auto& [name, spoil] : noFigures) {
        SCOPED_TRACE(name);
        Reopen();
        CompleteProfile(Profile());
        spoil(Profile());
        Open(m_goals);
        for (int f = 0; f < GoalsContentControl::FieldCount; ++f)
            EXPECT_EQ(Content<GoalsContentControl>()->FieldAt(f)->text(), QString());
    }
    Reopen();
    UserProfile& p = Profile();
    CompleteProfile(p);
    p.SetHeightFromDisplay(175, true);
    p.SetStartWeight(70, true);
    Open(m_goals);
    QStringList shown;
    for (int f = 0; f < GoalsContentControl::FieldCount; ++f) {
        QLineEdit* field = Content<GoalsContentControl>()->FieldAt(f);
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_EQ(LabelOf(field).isEmpty(), false);
        shown << field->text();
    }
    EXPECT_EQ(shown, QStringList({"22.86", QString::number(p.ComputeBmr()), "Normal",
                                  QString::number(p.MaintenanceCalories()),
                                  QString::number(p.DailyCalorieGoal())}));
    for (const char* event : {"results", "goals", "profile"}) {
        Event(QString::fromLatin1(event));
        EXPECT_EQ(Current(), QString::fromLatin1(event));
    }
}
TEST_F(ProfilePagesTest, ResultsOpenOnTheTrackedNutrientAndSwitchToWeight)
{
    CompleteProfile(Profile());
    Profile().SetFoodTracking(3); // "Protein"
    for (const QDate date : {QDate(2007, 3, 9), QDate(2007, 3, 5)})
        Add<WeightItem>(m_store->Weights(), TimeBase::FromDate(date))->SetKilograms(68);
    Open(m_results);
    auto* chart = Content<TrendContentControl>();
    EXPECT_EQ(chart->ModeList()->count(), 7);
    EXPECT_EQ(chart->ModeList()->currentText(), QStringLiteral("Protein"));
    EXPECT_FALSE(chart->Raster().HasData()); // nothing logged

    Event(QStringLiteral("weight"));
    EXPECT_EQ(chart->ModeList()->currentText(), QStringLiteral("Weight"));
    EXPECT_EQ(m_results.GetFirstDateText(), QStringLiteral("03/05/07"));
    EXPECT_EQ(m_results.GetLastDateText(), QStringLiteral("03/09/07"));
    EXPECT_FLOAT_EQ(m_results.Series().Points().front().value,
                    UserProfile::WeightForDisplay(68, false)); // pounds without metric
    EXPECT_TRUE(chart->Raster().HasData());
    emit chart->ModeList()->activated(2); // the chart's own list picks any series
    EXPECT_EQ(m_results.GetMode(), 2);
}

TEST_F(ProfilePagesTest, KeyboardAloneGoesRoundProfileGoalsAndResults)
{
    CompleteProfileSeen();
    Open(m_profile);
    // Title bar buttons 3 and 4 name the other two pages; Space and Return press them.
    for (const auto& [item, key, lands] :
         {std::tuple{3, Qt::Key_Space, "goals"}, std::tuple{4, Qt::Key_Return, "results"},
          std::tuple{4, Qt::Key_Space, "goals"}, std::tuple{3, Qt::Key_Return, "profile"}}) {
        BmpButtonImpl* button = m_dialog->TitleBar()->Button(item);
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(AccessibleName(button).toLower(), QString::fromLatin1(lands));
        button->setFocus();
        QTest::keyClick(button, key);
        EXPECT_EQ(Current(), QString::fromLatin1(lands));
    }
}

TEST_F(ProfilePagesTest, FieldsFitTheContentInEveryScreenMode)
{
    CompleteProfile(Profile());
    for (const QSize size : {QSize(240, 320), QSize(480, 640), QSize(320, 240), QSize(240, 240)}) {
        DeviceScreen::Instance().SetSize(size);
        for (Page* page : std::initializer_list<Page*>{&m_profile, &m_goals}) {
            SCOPED_TRACE(::testing::Message() << page->GetName().toStdString() << " at "
                                              << size.width() << "x" << size.height());
            Open(*page);
            auto* form = qobject_cast<RowLayoutContainer*>(m_dialog->Content());
            const QRect client = form->ClientRect();
            int bottom = 0;
            for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->isHidden() || child == form->ScrollBar())
                    continue;
                EXPECT_TRUE(client.left() <= child->x() &&
                            child->geometry().right() <= client.right());
                bottom = std::max(bottom, child->geometry().bottom());
            }
            // What the window cannot show is reached by scrolling.
            EXPECT_EQ(form->ScrollBar()->isVisible(), bottom > client.bottom());
        }
    }
}

} // namespace
