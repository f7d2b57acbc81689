#include "app/HomeDialog.h"
#include "TestSupport.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "data/UserDatabase.h"
#include "skin/DeviceScreen.h"
#include "dialogs/LayoutBaseDialog.h"
#include "skin/SkinSettings.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class HomeDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        m_store = std::make_unique<UserDatabase>(DatabaseFolders{m_dir.path(), {m_dir.path()}});
    }
    void TearDown() override { DeviceScreen::Instance().SetSize(DeviceScreen::kDefaultSize); }

    // A home screen of test pages whose dialogs record their page instead of running. Each page
    // saves an edit without committing; the blog account page marks itself seen, as the real one.
    std::unique_ptr<HomeDialog> MakeHome(std::initializer_list<const char*> names)
    {
        std::vector<std::unique_ptr<Page>> pages;
        for (const char* name : names)
            pages.push_back(std::make_unique<TestPage>(QString::fromLatin1(name), 1));
        auto home = std::make_unique<HomeDialog>(*m_store, std::move(pages), m_dialogs);
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
    std::unique_ptr<UserDatabase> m_store;
    RecordingDialogs m_dialogs;
    QStringList m_ran;
};

} // namespace

TEST_F(HomeDialogTest, TilesSitAtTheSkinRectanglesOfEveryScreenMode)
{
    auto home = MakeHome({});
    home->show();
    for (const QSize size : {QSize(240, 320), QSize(480, 640), QSize(240, 240)}) {
        DeviceScreen::Instance().SetSize(size);
        QCoreApplication::processEvents();
        const int top = home->MenuBar()->height(); // the menu's font grows with the screen
        for (const char* tile : {"header", "daily", "profile", "journal", "fitness", "food"}) {
            QRect expected;
            ASSERT_TRUE(SkinSettings::Instance().GetRect(QStringLiteral("main/") + tile, expected));
            EXPECT_EQ(home->Button(QString::fromLatin1(tile))->geometry(),
                      expected.translated(0, top))
                << tile << " at " << size.width() << "x" << size.height();
        }
    }
    // Rotation swaps the screen and moves the tiles to the landscape skin.
    DeviceScreen::Instance().SetSize(QSize(240, 320));
    QCoreApplication::processEvents();
    const QRect portrait = home->Button(QStringLiteral("food"))->geometry();
    DeviceScreen::Instance().Rotate();
    QCoreApplication::processEvents();
    EXPECT_EQ(home->size(), QSize(320, 240));
    EXPECT_EQ(SkinSettings::Instance().SkinName(), QStringLiteral("default1"));
    EXPECT_NE(home->Button(QStringLiteral("food"))->geometry(), portrait);
}

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

TEST_F(HomeDialogTest, MenuCommandsReachTheirDialogs)
{
    auto home = MakeHome({});
    const QList<QAction*> actions = home->MenuBar()->actions().first()->menu()->actions();
    QStringList texts;
    for (const QAction* action : actions)
        texts << action->text();
    ASSERT_EQ(texts, QStringList({"Preferences...", "Help", "About", "Export..."}));
    actions[0]->trigger();
    actions[2]->trigger();
    EXPECT_EQ(m_dialogs.preferences, 1);
    EXPECT_EQ(m_dialogs.abouts, 1);
}

TEST_F(HomeDialogTest, ExportWritesIntoANewFolderEachTimeAndSaysWhere)
{
    // The exporter names foods and exercises from the reference databases beside the tests.
    m_store.reset();
    m_store = std::make_unique<UserDatabase>(
        DatabaseFolders{m_dir.path(), {m_dir.path(), QCoreApplication::applicationDirPath()}});
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
