#include "TestSupport.h"
#include "app/HomeDialog.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "controls/DayPicker.h"
#include "controls/TitleBarControl.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "dialogs/LayoutBaseDialog.h"
#include "fitness/FitnessViewsRegistration.h"
#include "fitness/GoalsContentControl.h"
#include "fitness/ProfileEditorContentControl.h"
#include "fitness/TrendContentControl.h"
#include "pages/AllPages.h"
#include "pages/GoalsPage.h"
#include "pages/ProfilePage.h"
#include "pages/ResultsPage.h"
#include "skin/DeviceScreen.h"
#include "vocabulary/ContentControlRegistry.h"
#include "vocabulary/Events.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const kFitnessContent[] = {"TrendControl", "FoodDetailsControl",
                                       "FitnessDetailsControl", "ProfileEditorControl",
                                       "GoalsControl"};

QString AccessibleName(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a ? a->text(QAccessible::Name) : QString();
}

// The label screen readers announce with the field.
QString LabelOf(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    if (!a)
        return {};
    const auto labels = a->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

QAccessible::Role AccessibleRole(QWidget* widget)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a ? a->role() : QAccessible::NoRole;
}

class ProfilePagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        RegisterFitnessContent();
        Reopen();
    }
    void TearDown() override
    {
        m_dialog.reset();
        m_store.reset();
        for (const char* name : kFitnessContent)
            ContentControlRegistry::Unregister(QString::fromLatin1(name));
        DeviceScreen::Instance().SetSize(DeviceScreen::kDefaultSize);
    }

    // A fresh store in a fresh folder.
    void Reopen()
    {
        m_dialog.reset();
        m_store.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<UserDatabase>(DatabaseFolders{m_dir->path(), {m_dir->path()}});
    }
    UserProfile& Profile() { return m_store->Profile(); }
    void MarkBlogAccountSeen()
    {
        Profile().SetFlags(Profile().Flags() | UserProfile::kBlogAccountSeen);
    }

    // The page in a shown dialog that is not run modally: events are sent to it directly.
    void Open(Page& page)
    {
        m_dialog = std::make_unique<LayoutBaseDialog>(nullptr, &m_dialogs);
        m_dialog->SetPage(&page);
        m_dialog->show();
    }
    int Send(const QString& event) { return m_dialog->OnEvent(event, nullptr); }
    QString Current() const
    {
        return m_dialog->CurrentPage() ? m_dialog->CurrentPage()->GetName() : QString();
    }
    template <class T> T* Content() const { return qobject_cast<T*>(m_dialog->Content()); }
    ProfileEditorContentControl* Editor() const { return Content<ProfileEditorContentControl>(); }
    QString LabelText(int id) const
    {
        return Editor()->findChild<QLabel*>(QString::number(id))->text();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDatabase> m_store;
    RecordingDialogs m_dialogs;
    ProfilePage m_profile;
    GoalsPage m_goals;
    ResultsPage m_results;
    std::unique_ptr<LayoutBaseDialog> m_dialog;
};

TEST_F(ProfilePagesTest, EditorShowsTheStoredProfileInTheChosenUnitsAndLeavesUntouchedValuesExact)
{
    struct Case
    {
        std::uint32_t metric;
        const char *height, *weight, *heightLabel, *weightLabel;
    };
    for (const Case& c : {Case{0, "70", "150", "Height (inches)", "Start Weight (lbs)"},
                          Case{1, "178", "68", "Height (cm)", "Start Weight (kg)"}}) {
        SCOPED_TRACE(c.metric);
        Reopen();
        CompleteProfile(Profile());
        Profile().SetHeightFromDisplay(177.8f, true);
        Profile().SetStartWeight(68, true);
        m_store->Settings().SetMetric(c.metric);
        Open(m_profile);
        ProfileEditorContentControl* editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->HeightField()->text(), QString::fromLatin1(c.height));
        EXPECT_EQ(editor->StartWeightField()->text(), QString::fromLatin1(c.weight));
        EXPECT_EQ(LabelText(153), QString::fromLatin1(c.heightLabel));
        EXPECT_EQ(LabelText(154), QString::fromLatin1(c.weightLabel));
        EXPECT_EQ(AccessibleName(editor->HeightField()), QString::fromLatin1(c.heightLabel));
        EXPECT_EQ(editor->NameField()->text(), QStringLiteral("Ann"));

        // Leaving without touching a number keeps what it stood for, not its shown rounding.
        Send(Events::kDone);
        EXPECT_FLOAT_EQ(Profile().HeightCm(), 177.8f);
        EXPECT_FLOAT_EQ(Profile().StartWeightKg(), 68.0f);
    }
}

TEST_F(ProfilePagesTest, EveryFieldHasANameARoleAndItsPlaceInTheTabOrder)
{
    Open(m_profile);
    ProfileEditorContentControl* editor = Editor();
    const std::vector<std::tuple<QWidget*, const char*, QAccessible::Role>> fields{
        {editor->FoodTrackingField(), "Food Tracking:", QAccessible::ComboBox},
        {editor->NameField(), "Name:", QAccessible::EditableText},
        {editor->AgeField(), "Age (years):", QAccessible::EditableText},
        {editor->HeightField(), "Height (inches)", QAccessible::EditableText},
        {editor->StartWeightField(), "Start Weight (lbs)", QAccessible::EditableText},
        {editor->StartDateField(), "Start Date:", QAccessible::SpinBox},
        {editor->GoalWeightField(), "Goal Weight (lbs)", QAccessible::EditableText},
        {editor->GoalDateField(), "Goal Date:", QAccessible::SpinBox}};
    QWidget* expectedNext = nullptr;
    for (const auto& [field, label, role] : fields) {
        const QString name = QString::fromLatin1(label).remove(QLatin1Char(':'));
        EXPECT_EQ(LabelOf(field), QString::fromLatin1(label));
        // A combo box tells its choice as its name and its label by relation.
        if (role != QAccessible::ComboBox) {
            EXPECT_EQ(AccessibleName(field), name);
        }
        EXPECT_EQ(AccessibleRole(field), role) << label;
        EXPECT_TRUE(field->focusPolicy() & Qt::TabFocus) << label;
        if (expectedNext) {
            QWidget* next = expectedNext->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus) || next->focusProxy())
                next = next->nextInFocusChain();
            EXPECT_EQ(next, field) << label;
        }
        expectedNext = field;
    }
    // Digits only.
    editor->AgeField()->clear();
    QTest::keyClicks(editor->AgeField(), QStringLiteral("4x2"));
    EXPECT_EQ(editor->AgeField()->text(), QStringLiteral("42"));
    EXPECT_EQ(editor->FoodTrackingField()->count(), UserProfile::kNutrientCount);
}

TEST_F(ProfilePagesTest, PreferencesKeepTypedValuesAndTheNewlyChosenNutrient)
{
    Open(m_profile);
    ProfileEditorContentControl* editor = Editor();
    editor->HeightField()->setText(QStringLiteral("71"));
    editor->StartWeightField()->setText(QStringLiteral("150"));
    editor->FoodTrackingField()->setCurrentIndex(1);
    // What the preferences dialog stores before the page hears "preferences".
    m_store->Settings().SetMetric(1);
    Profile().SetFoodTracking(3);
    Send(Events::kPreferences);

    EXPECT_EQ(LabelText(153), QStringLiteral("Height (cm)"));
    EXPECT_EQ(editor->HeightField()->text(), QStringLiteral("180"));     // 71 inches
    EXPECT_EQ(editor->StartWeightField()->text(), QStringLiteral("68")); // 150 lbs
    EXPECT_FLOAT_EQ(Profile().HeightCm(), 71 * 2.54f);
    EXPECT_EQ(Profile().GetFoodTracking(), 3);
    EXPECT_EQ(editor->FoodTrackingField()->currentIndex(), 3);
}

TEST_F(ProfilePagesTest, TheBlogAccountPageComesFirstUntilSeenAndAnIncompleteProfileStays)
{
    struct Case
    {
        bool complete, seen, bloggerPage;
        const char* event;
        const char* lands;
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
    TestPage food(Events::kGoFood, 8);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.event) + (c.complete ? " complete" : " no name") +
                     (c.seen ? " seen" : "") + (c.bloggerPage ? "" : " without blog page"));
        Reopen();
        CompleteProfile(Profile());
        if (!c.complete)
            Profile().SetUserName(QString());
        if (c.seen)
            MarkBlogAccountSeen();
        std::unique_ptr<TestPage> blogger;
        if (c.bloggerPage)
            blogger = std::make_unique<TestPage>(Events::kBlogger, 11);
        Open(m_profile);
        EXPECT_EQ(Send(QString::fromLatin1(c.event)), 1);
        EXPECT_EQ(Current(), QString::fromLatin1(c.lands));
        m_dialog.reset();
    }
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

TEST_F(ProfilePagesTest, DoneWritesTheProfileToDiskEvenUnchanged)
{
    CompleteProfile(Profile());
    ASSERT_TRUE(m_store->Commit());
    // A change nobody flagged: only a write that does not ask whether anything changed saves it.
    Profile().SetUserName(QStringLiteral("Bob"));
    Profile().ClearChanged();
    Open(m_profile);
    Send(Events::kDone);
    EXPECT_TRUE(TestSupport::ReadFile(m_store->UserFilePath()).contains("Bob"));
}

TEST_F(ProfilePagesTest, EditorSaysWhichFieldIsOutOfRangeAndTheGoalsWait)
{
    CompleteProfile(Profile());
    MarkBlogAccountSeen();
    Open(m_profile);
    ProfileEditorContentControl* editor = Editor();
    EXPECT_EQ(editor->ProblemLabel()->text(), QString());
    const TimeBase::Stamp start = editor->GetStartDate();

    struct Case
    {
        QLineEdit* field;
        const char* typed;
        const char* said;
    };
    for (const Case& c :
         {Case{editor->HeightField(), "0", "Height must be 20 to 98 inches."},
          Case{editor->HeightField(), "9999", "Height must be 20 to 98 inches."},
          Case{editor->StartWeightField(), "0", "Start weight must be 45 to 990 lbs."},
          Case{editor->NameField(), "", "Enter your name."}}) {
        const QString before = c.field->text();
        c.field->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(editor->ProblemLabel()->text(), QString::fromLatin1(c.said));
        EXPECT_EQ(AccessibleName(editor->ProblemLabel()), QString::fromLatin1(c.said));
        Send(Events::kGoals);
        EXPECT_EQ(Current(), QStringLiteral("profile")) << c.typed;
        c.field->setText(before);
    }
    editor->GoalDateField()->setDate(TimeBase::ToDate(start).addDays(-1));
    EXPECT_EQ(editor->ProblemLabel()->text(),
              QStringLiteral("The goal date is before the start date."));
    Send(Events::kResults);
    EXPECT_EQ(Current(), QStringLiteral("profile"));

    editor->GoalDateField()->setDate(TimeBase::ToDate(start).addDays(30));
    EXPECT_EQ(editor->ProblemLabel()->text(), QString());
    Send(Events::kGoals);
    EXPECT_EQ(Current(), QStringLiteral("goals"));
}

TEST_F(ProfilePagesTest, GoalsShowTheFiguresOnlyForAProfileThatHasThem)
{
    struct Case
    {
        const char* name;
        void (*shape)(UserProfile&);
        bool figures;
    };
    const Case cases[] = {
        {"complete", [](UserProfile&) {}, true},
        {"tall", [](UserProfile& p) { p.SetHeightFromDisplay(9999, true); }, true},
        {"no height", [](UserProfile& p) { p.SetHeightFromDisplay(0, true); }, false},
        {"no weight", [](UserProfile& p) { p.SetStartWeight(0, true); }, false},
        {"goal before start", [](UserProfile& p) { p.SetGoalDate(p.GetStartDate() - 86400); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reopen();
        UserProfile& p = Profile();
        CompleteProfile(p);
        p.SetHeightFromDisplay(175, true);
        p.SetStartWeight(70, true);
        c.shape(p);
        Open(m_goals);
        auto* goals = Content<GoalsContentControl>();
        ASSERT_NE(goals, nullptr);
        QStringList shown;
        for (int f = 0; f < GoalsContentControl::FieldCount; ++f) {
            QLineEdit* field = goals->FieldAt(f);
            EXPECT_TRUE(field->isReadOnly());
            EXPECT_FALSE(AccessibleName(field).isEmpty());
            shown << field->text();
        }
        if (!c.figures) {
            EXPECT_EQ(shown.join(QString()), QString());
            continue;
        }
        EXPECT_EQ(shown, QStringList({QString::asprintf("%.2f", double(p.ComputeBmi())),
                                      QString::number(p.ComputeBmr()),
                                      UserProfile::WeightStatusText(p.ComputeWeightStatus()),
                                      QString::number(p.MaintenanceCalories()),
                                      QString::number(p.DailyCalorieGoal())}));
        for (const QString& text : shown)
            EXPECT_FALSE(text.contains(QLatin1String("inf")) ||
                         text.contains(QLatin1String("nan")));
    }
    EXPECT_EQ(Content<GoalsContentControl>()->FieldAt(0)->text(), QString()); // the last case
    Reopen();
    CompleteProfile(Profile());
    Profile().SetHeightFromDisplay(175, true);
    Profile().SetStartWeight(70, true);
    Open(m_goals);
    EXPECT_EQ(Content<GoalsContentControl>()->FieldAt(GoalsContentControl::Bmi)->text(),
              QStringLiteral("22.86"));
    EXPECT_EQ(Content<GoalsContentControl>()->FieldAt(GoalsContentControl::Status)->text(),
              QStringLiteral("Normal"));
    Send(Events::kResults);
    EXPECT_EQ(Current(), QStringLiteral("results"));
    Send(Events::kGoals);
    EXPECT_EQ(Current(), QStringLiteral("goals"));
    Send(Events::kProfile);
    EXPECT_EQ(Current(), QStringLiteral("profile"));
}

TEST_F(ProfilePagesTest, ResultsOpenOnTheTrackedNutrientAndSwitchToWeight)
{
    CompleteProfile(Profile());
    Profile().SetFoodTracking(3); // "Protein"
    for (const auto& [date, kilograms] :
         {std::pair{QDate(2007, 3, 9), 70.0f}, std::pair{QDate(2007, 3, 5), 68.0f}})
        static_cast<WeightItem*>(m_store->Weights().Append(UserDatabase::CreateItem(
                                     WeightKind, TimeBase::FromDate(date))))
            ->SetKilograms(kilograms);
    Open(m_results);
    auto* chart = Content<TrendContentControl>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ModeList()->count(), 7);
    EXPECT_EQ(chart->ModeList()->currentText(), QStringLiteral("Protein"));
    EXPECT_TRUE(m_results.Series().Points().empty()); // nothing logged

    Send(QStringLiteral("weight"));
    EXPECT_EQ(m_results.GetMode(), 0);
    EXPECT_EQ(chart->ModeList()->currentText(), QStringLiteral("Weight"));
    EXPECT_EQ(m_results.GetFirstDateText(), QStringLiteral("03/05/07"));
    EXPECT_EQ(m_results.GetLastDateText(), QStringLiteral("03/09/07"));
    EXPECT_FLOAT_EQ(m_results.Series().Points().front().value,
                    UserProfile::WeightForDisplay(68, false)); // pounds without metric
    EXPECT_TRUE(chart->Raster().HasData());

    // The chart's own list picks any series.
    chart->ModeList()->setCurrentIndex(2);
    emit chart->ModeList()->activated(2);
    EXPECT_EQ(m_results.GetMode(), 2);
    Send(Events::kProfile);
    EXPECT_EQ(Current(), QStringLiteral("profile"));
}

TEST_F(ProfilePagesTest, KeyboardAloneGoesRoundProfileGoalsAndResults)
{
    CompleteProfile(Profile());
    MarkBlogAccountSeen();
    Open(m_profile);
    const auto press = [this](int item, Qt::Key key) {
        BmpButtonImpl* button = m_dialog->TitleBar()->Button(item);
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
        EXPECT_FALSE(AccessibleName(button).isEmpty());
        button->setFocus();
        QTest::keyClick(button, key);
    };
    press(TitleBarControl::Button0, Qt::Key_Space);
    EXPECT_EQ(Current(), QStringLiteral("goals"));
    press(TitleBarControl::Button1, Qt::Key_Return);
    EXPECT_EQ(Current(), QStringLiteral("results"));
    press(TitleBarControl::Button1, Qt::Key_Space);
    EXPECT_EQ(Current(), QStringLiteral("goals"));
    press(TitleBarControl::Button0, Qt::Key_Return);
    EXPECT_EQ(Current(), QStringLiteral("profile"));
}

TEST_F(ProfilePagesTest, FieldsFitTheContentInEveryScreenMode)
{
    CompleteProfile(Profile());
    for (const QSize size : {QSize(240, 320), QSize(480, 640), QSize(320, 240), QSize(240, 240)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        DeviceScreen::Instance().SetSize(size);
        for (Page* page : std::initializer_list<Page*>{&m_profile, &m_goals}) {
            Open(*page);
            QCoreApplication::processEvents();
            auto* form = qobject_cast<RowLayoutContainer*>(m_dialog->Content());
            ASSERT_NE(form, nullptr);
            const QRect client = form->ClientRect();
            int bottom = 0;
            for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->isHidden() || child == form->ScrollBar())
                    continue;
                EXPECT_GE(child->x(), client.left()) << child->objectName().toStdString();
                EXPECT_LE(child->geometry().right(), client.right())
                    << child->objectName().toStdString();
                EXPECT_GT(child->height(), 0);
                bottom = std::max(bottom, child->geometry().bottom());
            }
            // What the window cannot show is reached by scrolling.
            EXPECT_EQ(form->ScrollBar()->isVisible(), bottom > client.bottom())
                << page->GetName().toStdString() << " " << bottom << " " << client.bottom();
        }
    }
}

TEST_F(ProfilePagesTest, ANewUsersFirstStartOpensTheProfileWithoutAMessage)
{
    HomeDialog home(*m_store, MakeAllPages(), m_dialogs);
    QStringList ran;
    home.runPageDialog = [&ran](LayoutBaseDialog& dialog) {
        ran << dialog.CurrentPage()->GetName();
        dialog.Close();
    };
    home.show();
    QTRY_COMPARE_WITH_TIMEOUT(ran.size(), 1, 2000);
    EXPECT_EQ(ran, QStringList{QStringLiteral("profile")});
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    CompleteProfile(Profile());
    home.OnEvent(Events::kProfile, nullptr);
    EXPECT_EQ(ran.last(), QStringLiteral("results"));
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

} // namespace
