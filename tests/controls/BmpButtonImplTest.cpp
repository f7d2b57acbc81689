#include "controls/BmpButtonImpl.h"
#include "UserInput.h"
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

QImage Grab(QWidget& widget)
{
    return widget.grab().toImage();
}

BmpButtonImpl* Make(bool drawText, QWidget* parent, const char* section, const char* name)
{
    auto* button = new BmpButtonImpl(drawText, parent, 1501);
    button->SetSection(QString::fromLatin1(section));
    button->SetName(QString::fromLatin1(name));
    return button;
}

} // namespace

TEST_F(BmpButtonTest, DrawsTheBitmapOfItsStateStretched)
{
    QWidget window;
    RecordingListener listener;
    BmpButtonImpl* button = Make(false, &window, "food", "done");
    button->setGeometry(0, 0, 114, 36);
    button->SetListener(&listener);

    QImage image = Grab(*button);
    ASSERT_EQ(image.size(), QSize(114, 36));
    EXPECT_EQ(image.pixelColor(0, 0), TestArt::ColorOf(3011));
    EXPECT_EQ(image.pixelColor(113, 35), TestArt::ColorOf(3011));
    EXPECT_EQ(WhitePixels(image), 0); // no text without drawText
    button->setDown(true);
    EXPECT_EQ(Grab(*button).pixelColor(57, 18), TestArt::ColorOf(3018));
    button->setDown(false);

    // No "/focus" artwork: the "/up" image with a bold focus ring over it, as wide as two
    // pixels of the screen mode.
    UserInput::Activate(window);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    image = Grab(*button);
    const QColor highlight = button->palette().color(QPalette::Highlight);
    const int ring = 2 * DeviceScreen::Instance().Multiplier();
    EXPECT_EQ(image.pixelColor(0, 0), highlight);
    EXPECT_EQ(image.pixelColor(ring - 1, 18), highlight);
    EXPECT_EQ(image.pixelColor(ring + 1, 18), TestArt::ColorOf(3011));
}

TEST_F(BmpButtonTest, SingleImagesTextAndTheSectionColourWithoutArtwork)
{
    std::unique_ptr<BmpButtonImpl> icon(Make(false, nullptr, "food", "menu"));
    icon->resize(28, 22);
    EXPECT_EQ(Grab(*icon).pixelColor(14, 11), TestArt::ColorOf(3043));

    std::unique_ptr<BmpButtonImpl> labelled(Make(true, nullptr, "food", "add"));
    DeviceScreen::Instance().SetSize(QSize(480, 640)); // a font large enough to count its text
    labelled->setFont(DeviceScreen::Instance().Font());
    labelled->resize(57, 18);
    QImage image = Grab(*labelled);
    EXPECT_EQ(image.pixelColor(0, 0), TestArt::ColorOf(3011));
    EXPECT_GT(WhitePixels(image), 5);

    // Skin "default1" has no journal "blog" artwork under any key.
    SkinSettings::Instance().Init(320, 240);
    std::unique_ptr<BmpButtonImpl> blog(Make(false, nullptr, "journal", "blog"));
    blog->resize(57, 18);
    image = Grab(*blog);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0xFE, 0x98, 0x00));
    EXPECT_GT(WhitePixels(image), 5);
    blog->SetSection(QStringLiteral("nowhere"));
    EXPECT_EQ(Grab(*blog).pixelColor(0, 0), QColor(0x00, 0x00, 0xC8));
}

TEST_F(BmpButtonTest, PassiveUntilItHasAListenerAndHiddenWhileNameless)
{
    QWidget window;
    window.resize(120, 40);
    auto* button = new BmpButtonImpl(true, &window, 1501);
    button->setGeometry(10, 10, 57, 18);
    UserInput::Activate(window);
    const QPoint at(30, 18);
    EXPECT_FALSE(button->isVisible());
    button->SetName(QStringLiteral("add"));
    EXPECT_TRUE(button->isVisible());

    const auto tap = [&] { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at); };
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    tap();
    EXPECT_FALSE(button->isDown());

    RecordingListener listener;
    button->SetListener(&listener);
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
    tap();
    ASSERT_EQ(listener.names, Names({"add"}));
    EXPECT_EQ(listener.senders.front(), button);
    button->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(button, key);
    EXPECT_EQ(listener.names, Names({"add", "add", "add", "add"}));

    button->SetListener(nullptr);
    tap();
    EXPECT_EQ(listener.names.size(), 4);
    button->SetName(QString());
    EXPECT_FALSE(button->isVisible());
}
