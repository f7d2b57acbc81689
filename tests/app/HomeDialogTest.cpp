#include "app/HomeDialog.h"
#include "TestSupport.h"
#include "UserInput.h"
#include "app/TestPages.h"
#include "commands/UserEdits.h"
#include "controls/BmpButtonImpl.h"
#include "controls/RecordingListener.h"
#include "data/UserDatabase.h"
#include "data/WeightItem.h"
#include "dialogs/LayoutBaseDialog.h"
#include "skin/DeviceScreen.h"
#include "skin/ReportDialog.h"
#include "skin/SkinSettings.h"
#include "vocabulary/Session.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class HomeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { OpenStore({m_dir.path()}); }
    void OpenStore(const QStringList& references)
    {
        m_session.Close(); // gives up the lock the next store takes
        m_session.Open(std::make_unique<UserDatabase>(DatabaseFolders{m_dir.path(), references}));
        m_store = m_session.Store();
    }

    // A home screen of test pages whose dialogs record their page instead of running. Each page
    // saves an edit without committing; the blog account page marks itself seen, as the real one.
    std::unique_ptr<HomeDialog> MakeHome(std::initializer_list<const char*> names)
    {
        std::vector<std::unique_ptr<Page>> pages;
        for (const char* name : names)
            pages.push_back(std::make_unique<TestPage>(m_session, QString::fromLatin1(name), 1));
        auto home = std::make_unique<HomeDialog>(m_session, std::move(pages), m_dialogs);
        home->runPageDialog = [this](LayoutBaseDialog& dialog) {
            const QString name = dialog.CurrentPage()->GetName();
            m_ran << name;
            UserProfile& profile = m_store->Profile();
            profile.SetUserName(name);
            if (name == QStringLiteral("blogger"))
                profile.SetFlags(profile.Flags() | UserProfile::kBlogAccountSeen);
            m_store->SaveProfile();
        };
        return home;
    }

    QTemporaryDir m_dir;
    Session m_session;
    UserDatabase* m_store = nullptr;
    RecordingDialogs m_dialogs;
    QStringList m_ran;
};

} // namespace

TEST_F(HomeDialogTest, AFirstStartOpensTheProfileThenTheBlogAccountCommittingEach)
{
    auto home = MakeHome({"profile", "blogger"});
    home->show();
    QTRY_COMPARE_WITH_TIMEOUT(m_ran.size(), 2, 2000);
    EXPECT_EQ(m_ran, QStringList({QStringLiteral("profile"), QStringLiteral("blogger")}));
    // On disk already, before any exit.
    EXPECT_TRUE(TestSupport::ReadFile(QDir(m_dir.path()).filePath(QStringLiteral("user.pdb")))
                    .contains("blogger"));
}

TEST_F(HomeDialogTest, HeaderIsAPictureAndEntriesRunTheirPagesThenTheBlogAccountOnce)
{
    CompleteProfile(m_store->Profile());
    auto home = MakeHome({"goFood", "daily.chart", "results", "blogger"});
    home->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_ran.isEmpty()); // a complete profile opens nothing by itself

    BmpButtonImpl* header = home->Button(QStringLiteral("header"));
    EXPECT_EQ(header->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(home.get(), Qt::LeftButton, {}, header->geometry().center());
    EXPECT_TRUE(m_ran.isEmpty());

    QTest::mouseClick(home->Button(QStringLiteral("food")), Qt::LeftButton);
    EXPECT_EQ(m_ran, QStringList({QStringLiteral("goFood"), QStringLiteral("blogger")}));
    EXPECT_TRUE(m_store->Profile().Flags() & UserProfile::kBlogAccountSeen);
    EXPECT_TRUE(home->Button(QStringLiteral("profile"))->hasFocus()); // the blogger entry's tile

    m_ran.clear();
    QTest::mouseClick(home->Button(QStringLiteral("daily")), Qt::LeftButton);
    EXPECT_EQ(m_ran, QStringList({QStringLiteral("daily.chart")}));
    EXPECT_TRUE(home->Button(QStringLiteral("daily"))->hasFocus());

    // No journal page here: said so, nothing run.
    QTest::mouseClick(home->Button(QStringLiteral("journal")), Qt::LeftButton);
    EXPECT_EQ(m_ran.size(), 1);
    EXPECT_EQ(m_dialogs.messages.size(), 1);
}

TEST_F(HomeDialogTest, KeysEscapeStaysArrowsMoveByPlaceAndTheMenuOpensAndReachesItsDialogs)
{
    CompleteProfile(m_store->Profile());
    auto home = MakeHome({});
    UserInput::Activate(*home);

    QTest::keyClick(home->Button(QStringLiteral("profile")), Qt::Key_Escape);
    EXPECT_TRUE(home->isVisible());

    struct Move
    {
        const char* from;
        Qt::Key key;
        const char* to;
    };
    const Move moves[] = {
        {"profile", Qt::Key_Down, "fitness"},
        {"fitness", Qt::Key_Right, "food"},
        {"food", Qt::Key_Up, "journal"},
        {"journal", Qt::Key_Left, "profile"},
        {"profile", Qt::Key_Up, "daily"},
        {"daily", Qt::Key_Up, "daily"}, // the header is a picture
        {"daily", Qt::Key_Down, "profile"},
        {"food", Qt::Key_Down, "food"},
        {"daily", Qt::Key_Right, "daily"},
    };
    for (const Move& move : moves) {
        BmpButtonImpl* from = home->Button(QString::fromLatin1(move.from));
        from->setFocus();
        QTest::keyClick(from, move.key);
        EXPECT_TRUE(home->Button(QString::fromLatin1(move.to))->hasFocus())
            << move.from << " " << move.key << " should reach " << move.to;
    }

    QMenu* menu = home->MenuBar()->actions().first()->menu();
    EXPECT_EQ(home->MenuBar()->actions().first()->text(), QStringLiteral("&Menu"));
    QTest::keyClick(home.get(), Qt::Key_F10);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    QTest::keyClick(home.get(), Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
    EXPECT_TRUE(m_ran.isEmpty());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    // Undo and Redo name nothing yet and are disabled.
    ASSERT_EQ(texts, QStringList({"Undo", "Redo", "", "Preferences...", "Help", "About",
                                  "Export...", "Import Weights..."}));
    EXPECT_FALSE(menu->actions()[0]->isEnabled() || menu->actions()[1]->isEnabled());
    menu->actions()[3]->trigger();
    menu->actions()[5]->trigger();
    EXPECT_EQ(std::pair(m_dialogs.preferences, m_dialogs.abouts), std::pair(1, 1));

    // The window's close button ends the home screen.
    home->close();
    EXPECT_FALSE(home->isVisible());
}

TEST_F(HomeDialogTest, ScreenReadersHearTheTilesAndSeeTheHeaderAsAPicture)
{
    auto home = MakeHome({});
    home->show();
    QStringList heard;
    for (const char* tile : {"daily", "profile", "journal", "fitness", "food"}) {
        QAccessibleInterface* button =
            QAccessible::queryAccessibleInterface(home->Button(QString::fromLatin1(tile)));
        EXPECT_TRUE(button->role() == QAccessible::Button && button->state().focusable) << tile;
        heard << button->text(QAccessible::Name);
    }
    EXPECT_EQ(heard, Names({"Daily Chart", "Profile", "Journal", "Fitness Log", "Food Log"}));
    QAccessibleInterface* header =
        QAccessible::queryAccessibleInterface(home->Button(QStringLiteral("header")));
    EXPECT_TRUE(header->role() == QAccessible::Graphic && !header->state().focusable);
    EXPECT_TRUE(header->text(QAccessible::Name).startsWith(QStringLiteral("Nutrava")));
    EXPECT_TRUE(header->actionInterface()->actionNames().isEmpty());
}

TEST_F(HomeDialogTest, AScreenOfNoSkinModeUsesThePortraitSkinCentredAndRotationTheLandscapeOne)
{
    auto home = MakeHome({});
    DeviceScreen::Instance().SetSize(QSize(300, 400));
    home->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(home->size(), QSize(300, 400));
    EXPECT_EQ(SkinSettings::Instance().Prefix(), QStringLiteral("240x320"));
    // The 240x320 tiles, 30 pixels in from either side.
    const int top = home->MenuBar()->height();
    EXPECT_EQ(home->Button(QStringLiteral("header"))->geometry(), QRect(34, 5 + top, 232, 62));
    EXPECT_EQ(home->Button(QStringLiteral("food"))->geometry(), QRect(152, 184 + top, 114, 79));

    DeviceScreen::Instance().SetSize(QSize(240, 320));
    DeviceScreen::Instance().Rotate();
    QCoreApplication::processEvents();
    EXPECT_EQ(home->size(), QSize(320, 240));
    EXPECT_EQ(SkinSettings::Instance().SkinName(), QStringLiteral("default1"));
    QRect landscape;
    ASSERT_TRUE(SkinSettings::Instance().GetRect(u"main/food", landscape));
    EXPECT_EQ(home->Button(QStringLiteral("food"))->geometry(),
              landscape.translated(0, home->MenuBar()->height()));
}

TEST_F(HomeDialogTest, ExportWritesIntoANewFolderEachTimeAndSaysWhere)
{
    // The exporter names foods and exercises from the reference databases beside the tests.
    OpenStore({m_dir.path(), QCoreApplication::applicationDirPath()});
    auto home = MakeHome({});
    QString chosen;
    home->askExportFolder = [&chosen](QWidget*) { return chosen; };
    home->RunMenuCommand(HomeDialog::kExportCommand); // cancelled
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    const TimeBase::ScopedClock clock(QDateTime(QDate(2026, 3, 7), QTime(8, 0), Qt::UTC));
    chosen = m_dir.path();
    home->RunMenuCommand(HomeDialog::kExportCommand);
    home->RunMenuCommand(HomeDialog::kExportCommand);
    ASSERT_EQ(m_dialogs.messages.size(), 2);
    for (const char* folder : {"Nutrava export 2026-03-07", "Nutrava export 2026-03-07 (2)"}) {
        const QString path = QDir(chosen).filePath(QString::fromLatin1(folder));
        EXPECT_TRUE(QFile::exists(QDir(path).filePath(QStringLiteral("days.csv"))));
        EXPECT_EQ(m_dialogs.messages.filter(QDir::toNativeSeparators(path) + u':').size(), 1);
    }
}

TEST_F(HomeDialogTest, ImportWeightsShowsTheReportThenAddsThemAsOneEditUndoneByOneKey)
{
    const TimeBase::ScopedClock clock(QDateTime(QDate(2026, 3, 7), QTime(8, 0), Qt::UTC));
    CompleteProfile(m_store->Profile());
    m_store->Settings().SetMetric(1);
    const TimeBase::Stamp kept = TimeBase::FromDate(QDate(2026, 1, 2));
    TestSupport::Add<WeightItem>(m_store->Weights(), kept)->SetKilograms(79);
    const QString csv = m_dir.filePath(QStringLiteral("scale.csv"));
    ASSERT_TRUE(TestSupport::WriteFile(csv, "Date;Weight (kg)\n2026-01-01;80,2\n2026-01-02;80,4\n"
                                            "2026-01-03;0\n2026-01-04;80,1\n"));
    auto home = MakeHome({});
    QString chosen;
    home->askWeightsFile = [&chosen](QWidget*) { return chosen; };
    UserInput::Activate(*home);
    QAction* import =
        home->MenuBar()->findChild<QAction*>(QString::number(HomeDialog::kImportWeightsCommand));
    ASSERT_NE(import, nullptr);
    import->trigger(); // cancelled: nothing asked further
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    // The report, read by a screen reader, then a key: Escape first, Enter the second time.
    QStringList heard;
    QString report;
    Qt::Key answer = Qt::Key_Escape;
    const auto answerReport = [&] {
        auto* dialog = qobject_cast<ReportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->size(), DeviceScreen::Instance().Size());
        report = dialog->Report()->toPlainText();
        heard.clear();
        for (QWidget* part :
             {static_cast<QWidget*>(dialog->Heading()), static_cast<QWidget*>(dialog->Report()),
              static_cast<QWidget*>(dialog->AcceptButton()),
              static_cast<QWidget*>(dialog->CancelButton())}) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(part);
            heard << QStringLiteral("%1 %2")
                         .arg(accessible->role())
                         .arg(accessible->text(QAccessible::Name));
        }
        EXPECT_TRUE(QTest::qWaitFor([dialog] { return dialog->Report()->hasFocus(); }, 1000));
        QTest::keyClick(dialog->windowHandle(), answer);
    };
    chosen = csv;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        answer = key;
        QTimer::singleShot(0, home.get(), answerReport);
        import->trigger();
        EXPECT_EQ(m_store->Weights().Count(), key == Qt::Key_Escape ? 1 : 3);
    }
    EXPECT_EQ(heard, QStringList({QStringLiteral("%1 Add 2 weights?").arg(QAccessible::StaticText),
                                  QStringLiteral("%1 Report").arg(QAccessible::EditableText),
                                  QStringLiteral("%1 Import").arg(QAccessible::Button),
                                  QStringLiteral("%1 Cancel").arg(QAccessible::Button)}));
    EXPECT_EQ(report, QStringLiteral("Adds 2 weights, 01/01/26 to 01/04/26.\n\n"
                                     "Keeps the weight you have for this day:\n01/02/26\n\n"
                                     "Skips 1 line:\n"
                                     "line 4: weight 0 kg is out of range (20 to 450 kg)"));
    EXPECT_EQ(m_store->Weights().ItemAt<WeightItem>(1)->Kilograms(), 80.2f);
    EXPECT_EQ(m_store->Weights().ItemAt<WeightItem>(2)->Kilograms(), 80.1f);

    // One Undo takes the import back, one Redo makes it again.
    UserInput::Press(*home, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(m_store->Weights().Count(), 1);
    EXPECT_EQ(m_store->Weights().At(0)->Day(), kept);
    UserInput::Press(*home, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(m_store->Weights().Count(), 3);
    EXPECT_EQ(m_session.Edits()->Stack().undoText(), QStringLiteral("Import 2 Weights"));

    // A file that cannot be read is said so, naming it.
    chosen = m_dir.filePath(QStringLiteral("gone.csv"));
    import->trigger();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(
        m_dialogs.messages[0].startsWith(QStringLiteral("Import Weights: gone.csv cannot")));
}
