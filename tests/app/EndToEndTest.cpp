#include "app/Application.h"
#include "app/DisclamerDialog.h"
#include "app/HomeDialog.h"
#include "app/ShutdownSignals.h"
#include "app/TestPages.h"
#include "controls/BmpButtonImpl.h"
#include "controls/ButtomNavigation.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

// The real dialogs, driven as a user would: agree to the disclaimer, fill nothing in and leave
// the profile page, open and leave the food log, then the program is sent SIGTERM.
TEST(EndToEnd, FirstStartThroughThePagesUntilSigterm)
{
    QTemporaryDir dir;
    StartupOptions options;
    options.dataDir = dir.path();
    QStringList steps;
    {
        Application app(options, QCoreApplication::applicationFilePath());
        app.makePages = [] {
            std::vector<std::unique_ptr<Page>> pages;
            pages.push_back(std::make_unique<TestPage>(QStringLiteral("profile"), 3));
            pages.push_back(std::make_unique<TestPage>(QStringLiteral("goFood"), 8));
            return pages;
        };
        ShutdownSignals shutdown;
        QObject::connect(&shutdown, &ShutdownSignals::shutdownRequested,
                         [&app] { app.CloseAllWindows(); });

        // Acts on whatever modal window is up; each action runs from the event loop so that the
        // dialogs it opens nest as they do for a user.
        QWidget* handled = nullptr;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == handled)
                return;
            handled = modal;
            QTimer::singleShot(0, modal, [&, modal] {
                if (auto* disclaimer = qobject_cast<DisclamerDialog*>(modal)) {
                    steps << QStringLiteral("disclaimer");
                    QTest::mouseClick(disclaimer->YesButton(), Qt::LeftButton);
                } else if (auto* page = qobject_cast<LayoutBaseDialog*>(modal)) {
                    steps << page->CurrentPage()->GetName();
                    QTest::mouseClick(page->Navigation()->Button(0), Qt::LeftButton); // home
                } else if (auto* home = qobject_cast<HomeDialog*>(modal)) {
                    if (!steps.contains(QStringLiteral("goFood"))) {
                        steps << QStringLiteral("home");
                        handled = nullptr; // the home screen comes back once more
                        QTest::mouseClick(home->Button(QStringLiteral("food")), Qt::LeftButton);
                    } else {
                        steps << QStringLiteral("sigterm");
                        std::raise(SIGTERM);
                    }
                } else {
                    steps << QString::fromLatin1(modal->metaObject()->className());
                    modal->close();
                }
            });
        });
        driver.start(20);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            ADD_FAILURE() << "hung at " << steps.join(u',').toStdString();
            app.CloseAllWindows();
        });
        watchdog.start(20000);

        EXPECT_EQ(app.Run(), 0);
    }
    EXPECT_EQ(steps, QStringList({QStringLiteral("disclaimer"), QStringLiteral("profile"),
                                  QStringLiteral("home"), QStringLiteral("goFood"),
                                  QStringLiteral("sigterm")}));
    UserDatabase store({dir.path(), {dir.path()}});
    EXPECT_TRUE(store.IsWritable());
    EXPECT_FALSE(store.WasCreated());
    EXPECT_EQ(store.Profile().LaunchCount(), 1);
}
