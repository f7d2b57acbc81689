#include "app/DisclamerDialog.h"
#include "data/UserDatabase.h"
#include "skin/AboutDialog.h"
#include "skin/DeviceScreen.h"
#include "skin/HelpDialog.h"
#include "skin/HelpIndexDialog.h"
#include "skin/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using InfoDialogsTest = ::testing::Test;

template <class T> T* Child(QWidget* parent, const char* id)
{
    return parent->findChild<T*>(QString::fromLatin1(id));
}

} // namespace

TEST_F(InfoDialogsTest, HelpShowsLineBreaksAndStaysLaidOutAcrossRotation)
{
    HelpDialog help(QStringLiteral("Food Log Help"), QStringLiteral("one\ntwo\r\nthree"), nullptr);
    help.show();
    auto* text = Child<QPlainTextEdit>(&help, "1008");
    auto* ok = Child<QPushButton>(&help, "1");
    auto* title = Child<QLabel>(&help, "1009");
    EXPECT_EQ(text->document()->blockCount(), 3);
    for (int turn = 0; turn < 2; ++turn) {
        const QRect r = help.rect();
        EXPECT_EQ(help.size(), turn == 0 ? QSize(240, 320) : QSize(320, 240));
        EXPECT_EQ(ok->geometry().center().x(), r.center().x()) << turn;
        EXPECT_EQ(ok->geometry().bottom(), r.bottom() - 5) << turn;
        EXPECT_EQ(text->geometry().top(), title->geometry().bottom() + 1) << turn;
        EXPECT_EQ(text->geometry().bottom(), ok->geometry().top() - 6) << turn;
        DeviceScreen::Instance().Rotate();
        QCoreApplication::processEvents();
    }
}

TEST_F(InfoDialogsTest, TappingOrReturnOnAnIndexEntryOpensThatTopicAndMissingTopicsSaySo)
{
    HelpIndexDialog index(nullptr);
    std::vector<int> opened;
    index.showTopic = [&](int topic, QWidget*) { opened.push_back(topic); };
    index.show();
    QListWidget* list = index.List();
    ASSERT_EQ(list->count(), 11);
    EXPECT_EQ(list->item(8)->text(), QStringLiteral("Food Log Help"));
    const QRect row = list->visualItemRect(list->item(8));
    ASSERT_TRUE(list->viewport()->rect().contains(row.center()));
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), size_t(1), 2000);
    EXPECT_EQ(opened.front(), 8);

    // Return opens the selected entry and leaves the index open.
    index.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&index));
    list->setFocus();
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), size_t(2), 2000);
    EXPECT_EQ(opened.back(), 3);
    EXPECT_TRUE(index.isVisible());

    // Without the text database a topic keeps its title and says why it is empty.
    HelpDialog missing(8, nullptr, nullptr);
    EXPECT_EQ(missing.TitleText(), QStringLiteral("Food Log Help"));
    EXPECT_EQ(missing.BodyText(), HelpDialog::kMissingText);

    QTemporaryDir dir;
    UserDatabase store({dir.path(), {dir.path(), QCoreApplication::applicationDirPath()}});
    HelpDialog known(8, store.References().Texts(), nullptr);
    EXPECT_EQ(known.TitleText(), QStringLiteral("Food Log Help"));
    EXPECT_NE(known.BodyText(), HelpDialog::kMissingText);
    HelpDialog outside(12, store.References().Texts(),
                       nullptr); // past the last, the blog account page's
    EXPECT_EQ(outside.BodyText(), HelpDialog::kMissingText);
}

TEST_F(InfoDialogsTest, AboutShowsTheVersionAndTheBuildTime)
{
    AboutDialog about(nullptr);
    const QStringList lines = about.VersionText().split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Version 1.55"));
    EXPECT_TRUE(QDateTime::fromString(lines[1], QStringLiteral("yyyy-MM-ddTHH:mm:ss")).isValid())
        << lines[1].toStdString();
    EXPECT_EQ(Child<QLabel>(&about, "1010")->text(), QStringLiteral("Nutrava"));
}

// The dialog shows and reports the choices; the edit they make is the caller's.
TEST_F(InfoDialogsTest, PreferencesShowTheStoredChoicesAndChangeNothing)
{
    UserProfile profile;
    profile.SetFoodTracking(3);
    profile.ClearChanged();
    UserSettings settings;
    settings.SetMetric(2);
    settings.ClearChanged();
    PreferencesDialog dialog(profile, settings, nullptr);
    EXPECT_TRUE(dialog.MetricBox()->isChecked()); // a stored 2 counts as ticked
    EXPECT_EQ(std::pair(dialog.NutrientList()->count(), dialog.NutrientList()->currentText()),
              std::pair(6, QString("Protein")));
    dialog.NutrientList()->setCurrentIndex(dialog.NutrientList()->findText("Saturated Fat"));
    dialog.MetricBox()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(std::pair(dialog.ChosenNutrient(), dialog.ChosenMetric()), std::pair(5, false));
    EXPECT_EQ(std::tuple(profile.GetFoodTracking(), settings.Metric(), profile.Changed(),
                         settings.Changed()),
              std::tuple(3, 2u, false, false));
}

TEST_F(InfoDialogsTest, PreferencesAndDisclaimerFollowTheirLayouts)
{
    UserProfile profile;
    UserSettings settings;
    PreferencesDialog prefs(profile, settings, nullptr);
    prefs.show();
    // OK and Cancel either side of the centre, the fields below the caption every small dialog
    // shows at the top.
    const int centre = prefs.width() / 2;
    EXPECT_EQ(Child<QPushButton>(&prefs, "1")->geometry().right() + 1, centre - 3);
    EXPECT_EQ(Child<QPushButton>(&prefs, "2")->x(), centre + 3);
    const auto* caption = Child<QLabel>(&prefs, "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(std::tuple(caption->geometry().topLeft(), caption->text(), prefs.NutrientList()->y()),
              std::tuple(QPoint(0, 0), QString("Preferences"), caption->height() + 5));

    DisclamerDialog disclaimer(QStringLiteral("Estimates only.\nAsk your physician."));
    disclaimer.show();
    EXPECT_EQ(disclaimer.windowTitle(), QStringLiteral("Disclamer"));
    const QRect no = disclaimer.NoButton()->geometry();
    EXPECT_EQ(disclaimer.YesButton()->geometry().right(), no.left() - 4);
    auto* text = Child<QPlainTextEdit>(&disclaimer, "1008");
    EXPECT_EQ(
        std::tuple(text->geometry().bottom(), text->document()->blockCount(), text->isReadOnly()),
        std::tuple(no.top() - 4, 2, true));
}
