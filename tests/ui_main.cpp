#include "controls/ControlsAccessibility.h"
#include "skin/DeviceScreen.h"
#include "skin/FocusReturn.h"
#include "skin/ScreenStyle.h"
#include "skin/SkinSettings.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every test starts on the 240x320 screen with its skin, whatever the test before left.
class SmallScreen final : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        SkinSettings::Instance().Init(240, 320);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private runtime folder, never the user's.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    // The native widgets' look of the program at every screen mode.
    ScreenStyle::Install();
    InstallFocusReturn();
    InstallControlsAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SmallScreen);
    return RUN_ALL_TESTS();
}
