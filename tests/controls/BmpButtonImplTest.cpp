#include "controls/BmpButtonImpl.h"
#include "controls/RecordingListener.h"
#include "skin/DeviceScreen.h"
#include "skin/SkinSettings.h"
#include "skin/TestArt.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Skin "default" at 240x320 with artwork for the food "done"/"add" buttons (3011 up, 3018
// down) and the food menu icon (3043); nothing for the journal buttons.
class BmpButtonTest : public ::testing::Test
{
protected:
    BmpButtonTest() { SkinSettings::Instance().Init(240, 320); }

    // Pixels of the white label text (antialiased, so nearly white counts).
    static int WhitePixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 220 && c.green() > 220 && c.blue() > 220;
            }
        }
        return count;
    }

    ScopedTestArt m_art{{3011, 3018, 3043}};
};

QImage Grab(QWidget& widget) { return widget.grab().toImage(); }

} // namespace

TEST_F(BmpButtonTest, DrawsTheBitmapOfItsStateStretched)
{
    QWidget window;
    window.resize(100, 40);
    RecordingListener listener;
    BmpButtonImpl button(false, &window, 1501);
    button.setGeometry(0, 0, 114, 36);
    button.SetSection(QStringLiteral("food"));
    button.SetName(QStringLiteral("done"));
    button.SetListener(&listener);

    QImage image = Grab(button);
    ASSERT_EQ(image.size(), QSize(114, 36));
    EXPECT_EQ(image.pixelColor(0, 0), TestArt::ColorOf(3011));
    EXPECT_EQ(image.pixelColor(113, 35), TestArt::ColorOf(3011));
    EXPECT_EQ(WhitePixels(image), 0); // no text without drawText

    button.setDown(true);
    EXPECT_EQ(Grab(button).pixelColor(57, 18), TestArt::ColorOf(3018));
    button.setDown(false);

    // No "/focus" artwork: the "/up" image with a focus rectangle over it.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());
    image = Grab(button);
    const QColor corner = image.pixelColor(0, 0);
    EXPECT_TRUE(corner == QColor(Qt::black) || corner == QColor(Qt::white)) << corner.name().toStdString();
    EXPECT_EQ(image.pixelColor(5, 5), TestArt::ColorOf(3011));
}

TEST_F(BmpButtonTest, SingleImagesAndTextOverTheBitmap)
{
    BmpButtonImpl icon(false, nullptr, 150);
    icon.resize(28, 22);
    icon.SetSection(QStringLiteral("food"));
    icon.SetName(QStringLiteral("menu"));
    EXPECT_EQ(Grab(icon).pixelColor(14, 11), TestArt::ColorOf(3043));

    BmpButtonImpl labelled(true, nullptr, 1501);
    labelled.setFont(DeviceScreen::Instance().Font());
    labelled.resize(57, 18);
    labelled.SetSection(QStringLiteral("food"));
    labelled.SetName(QStringLiteral("add"));
    const QImage image = Grab(labelled);
    EXPECT_EQ(image.pixelColor(0, 0), TestArt::ColorOf(3011));
    EXPECT_GT(WhitePixels(image), 5);
}

TEST_F(BmpButtonTest, WithoutAnyBitmapTheSectionColourAndNameShow)
{
    // Skin "default1" has no journal "blog" artwork under any key.
    SkinSettings::Instance().Init(320, 240);
    BmpButtonImpl blog(false, nullptr, 1499);
    blog.resize(57, 18);
    blog.SetSection(QStringLiteral("journal"));
    blog.SetName(QStringLiteral("blog"));
    QImage image = Grab(blog);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0xFE, 0x98, 0x00));
    EXPECT_GT(WhitePixels(image), 5);

    blog.SetSection(QStringLiteral("nowhere"));
    image = Grab(blog);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0x00, 0x00, 0xC8));
}

TEST_F(BmpButtonTest, PassiveButtonsIgnoreTapsAndTakeNoFocus)
{
    QWidget window;
    window.resize(120, 40);
    BmpButtonImpl button(true, &window, 1501);
    button.setGeometry(10, 10, 57, 18);
    button.SetSection(QStringLiteral("food"));
    button.SetName(QStringLiteral("add"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, 18));
    EXPECT_FALSE(button.isDown());

    RecordingListener listener;
    button.SetListener(&listener);
    EXPECT_TRUE(button.focusPolicy() & Qt::TabFocus);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, 18));
    ASSERT_EQ(listener.names, QStringList{QStringLiteral("add")});
    EXPECT_EQ(listener.senders.front(), &button);

    button.SetListener(nullptr);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(30, 18));
    EXPECT_EQ(listener.names.size(), 1);
}

TEST_F(BmpButtonTest, ReturnPressesAFocusedButton)
{
    QWidget window;
    RecordingListener listener;
    BmpButtonImpl button(true, &window, 1500);
    button.SetName(QStringLiteral("done"));
    button.SetListener(&listener);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button.setFocus();

    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(listener.names, QStringList({QStringLiteral("done"), QStringLiteral("done"),
                                           QStringLiteral("done")}));
}

TEST_F(BmpButtonTest, TheEmptyNameHides)
{
    QWidget window;
    BmpButtonImpl button(true, &window, 1500);
    window.show();
    EXPECT_FALSE(button.isVisible()); // nameless from the start
    button.SetName(QStringLiteral("add"));
    EXPECT_TRUE(button.isVisible());
    EXPECT_EQ(button.text(), QStringLiteral("add"));
    button.SetName(QString());
    EXPECT_FALSE(button.isVisible());
    button.SetName(QStringLiteral("fav"));
    EXPECT_TRUE(button.isVisible());
    EXPECT_EQ(button.Name(), QStringLiteral("fav"));
}
