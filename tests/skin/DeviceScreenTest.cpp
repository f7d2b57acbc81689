#include "skin/DeviceScreen.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/ContentControlRegistry.h"

#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

TEST(DeviceScreen, ParsesWidthByHeight)
{
    QSize size(1, 1);
    EXPECT_TRUE(DeviceScreen::ParseSize(QStringLiteral("240x320"), &size));
    EXPECT_EQ(size, QSize(240, 320));
    size = QSize(1, 1);
    for (const char* bad : {"", "240", "240x", "x320", "240X320", "-240x320", "240x320x2",
                            " 240x320", "0x0", "99999x320", "240x99999"})
        EXPECT_FALSE(DeviceScreen::ParseSize(QString::fromLatin1(bad), &size)) << bad;
    EXPECT_EQ(size, QSize(1, 1));
}

TEST(DeviceScreen, RotationSwapsAndRescalesDialogs)
{
    DeviceScreen& screen = DeviceScreen::Instance();
    EXPECT_EQ(screen.Multiplier(), 1);
    EXPECT_EQ(screen.Font().pixelSize(), DeviceScreen::kBaseFontPixels);

    QWidget dialog;
    screen.Apply(&dialog);
    EXPECT_EQ(dialog.size(), QSize(240, 320));

    QSignalSpy changed(&screen, &DeviceScreen::sizeChanged);
    screen.Rotate();
    EXPECT_EQ(screen.Size(), QSize(320, 240));
    EXPECT_EQ(dialog.size(), QSize(320, 240));
    screen.SetSize(QSize(640, 480));
    EXPECT_EQ(dialog.font().pixelSize(), 2 * DeviceScreen::kBaseFontPixels);
    screen.SetSize(QSize(640, 480)); // no change, no signal
    screen.SetSize(QSize(0, 480));   // refused
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(screen.Size(), QSize(640, 480));
}

namespace {
class FakeContent final : public QWidget, public ContentControl
{
public:
    explicit FakeContent(int tag) : m_tag(tag) {}
    EventListener* GetListener() const override { return nullptr; }
    void SetListener(EventListener*) override {}
    QWidget* GetWindow() override { return this; }
    int m_tag;
};
} // namespace

TEST(ContentControlRegistry, LatestRegistrationWinsAndUnknownNamesGiveNone)
{
    const QString name = QStringLiteral("RegistryTestControl");
    EXPECT_EQ(ContentControlRegistry::Create(name), nullptr);
    ContentControlRegistry::Register(name, [] { return new FakeContent(1); });
    ContentControlRegistry::Register(name, [] { return new FakeContent(2); });

    std::unique_ptr<QWidget> second(ContentControlRegistry::Create(name)->GetWindow());
    EXPECT_EQ(static_cast<FakeContent*>(second.get())->m_tag, 2);
    EXPECT_EQ(ContentControlRegistry::Create(QStringLiteral("registrytestcontrol")), nullptr);

    EXPECT_TRUE(ContentControlRegistry::Unregister(name));
    std::unique_ptr<QWidget> first(ContentControlRegistry::Create(name)->GetWindow());
    EXPECT_EQ(static_cast<FakeContent*>(first.get())->m_tag, 1);
    EXPECT_TRUE(ContentControlRegistry::Unregister(name));
    EXPECT_FALSE(ContentControlRegistry::Unregister(name));
    EXPECT_EQ(ContentControlRegistry::Create(name), nullptr);
}

TEST(DeviceScreen, PopupsAreKeptInsideTheScreenOfTheirDialog)
{
    DeviceScreen& screen = DeviceScreen::Instance();
    QWidget dialog;
    screen.Apply(&dialog);
    dialog.move(100, 50);
    auto* field = new QWidget(&dialog);
    field->setGeometry(10, 250, 100, 20); // global 110,300 to 209,319
    const QRect area(dialog.mapToGlobal(QPoint(0, 0)), dialog.size());
    EXPECT_EQ(screen.Area(field), area);

    // Where Qt would put the pop-up, and where it goes.
    const std::pair<QRect, QRect> rows[] = {
        {{110, 120, 150, 100}, {110, 120, 150, 100}}, // inside: stays
        {{200, 120, 150, 100}, {area.right() - 149, 120, 150, 100}},
        {{20, 120, 300, 100}, {area.left(), 120, 240, 100}},
        {{110, 320, 150, 100}, {110, 200, 150, 100}}, // no room below its field: above it
        {{110, 320, 150, 260}, {110, area.bottom() - 259, 150, 260}},
        {{110, 0, 150, 400}, {110, area.top(), 150, 320}},
    };
    for (const auto& [qt, kept] : rows) {
        QWidget popup(field, Qt::Popup);
        popup.setGeometry(qt);
        screen.KeepInside(&popup);
        EXPECT_EQ(popup.geometry(), kept) << qt.x() << "," << qt.y() << " " << qt.width();
    }
}
