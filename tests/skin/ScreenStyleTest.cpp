#include "skin/ScreenStyle.h"
#include "UserInput.h"
#include "skin/DeviceScreen.h"
#include "skin/ScreenMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

using ScreenStyleTest = ::testing::Test;

struct Measures
{
    QSize indicator;
    int scrollBar = 0;
    int buttonIcon = 0;
    int boxIcon = 0;
    int fontPixels = 0;
    int menuItemHeight = 0;
};

Measures MeasureAt(QSize screen)
{
    DeviceScreen::Instance().SetSize(screen);
    const QStyle* style = QApplication::style();
    QCheckBox box(QStringLiteral("Metric Units"));
    QStyleOptionButton option;
    option.initFrom(&box);
    QMenu menu;
    menu.addAction(QStringLiteral("Preferences..."));
    return {style->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box).size(),
            style->pixelMetric(QStyle::PM_ScrollBarExtent),
            style->pixelMetric(QStyle::PM_ButtonIconSize),
            style->pixelMetric(QStyle::PM_MessageBoxIconSize),
            QApplication::font().pixelSize(),
            menu.actionGeometry(menu.actions().first()).height()};
}

// Where the label's text breaks into lines at its width.
QList<qsizetype> LineEnds(const QLabel& label)
{
    QTextLayout layout(label.text(), label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QList<qsizetype> ends;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.contentsRect().width());
        ends << line.textStart() + line.textLength();
    }
    layout.endLayout();
    return ends;
}

} // namespace

TEST_F(ScreenStyleTest, NativeWidgetsGrowWithTheScreenModeOnce)
{
    ASSERT_NE(qobject_cast<ScreenStyle*>(QApplication::style()), nullptr);
    const Measures single = MeasureAt(QSize(240, 320));
    const Measures rotated = MeasureAt(QSize(320, 240));
    const Measures doubled = MeasureAt(QSize(480, 640));
    EXPECT_EQ(rotated.indicator, single.indicator);
    EXPECT_EQ(doubled.indicator, single.indicator * 2);
    EXPECT_EQ(doubled.scrollBar, single.scrollBar * 2);
    // Derived from another metric by the base style: doubled, not quadrupled.
    EXPECT_EQ(doubled.buttonIcon, single.buttonIcon * 2);
    EXPECT_EQ(doubled.boxIcon, single.boxIcon * 2);
    EXPECT_EQ(single.fontPixels, DeviceScreen::kBaseFontPixels);
    EXPECT_EQ(doubled.fontPixels, 2 * DeviceScreen::kBaseFontPixels);
    EXPECT_GE(doubled.menuItemHeight, 2 * single.menuItemHeight - 1);
}

TEST_F(ScreenStyleTest, MessageBoxesFitTheScreenCentredAndBreakPathsOnlyAtSeparators)
{
    DeviceScreen& screen = DeviceScreen::Instance();
    for (const QSize size : {QSize(240, 320), QSize(320, 240), QSize(480, 640)}) {
        screen.SetSize(size);
        const QString text =
            QStringLiteral("user.pdb in /home/ann/nutrava-data/a.folder-with-a-long-name/2026 "
                           "is damaged (the header is short). Restore user.pdb from a backup of "
                           "yours, then start Nutrava again.");
        ScreenMessageBox box(QMessageBox::Critical, QStringLiteral("Nutrava"), text);
        box.show();
        QCoreApplication::processEvents(); // the box lays itself out again
        const QRect area(screen.Position(), screen.Size());
        EXPECT_LE(box.width(), size.width()) << size.width();
        EXPECT_LE(box.height(), size.height()) << size.width();
        // The window with its frame, as a window manager would place it.
        EXPECT_LE((box.frameGeometry().center() - area.center()).manhattanLength(), 1)
            << size.width();

        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        const auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->pixmap().width(),
                  QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize));
        const QString shown = label->text();
        for (const qsizetype end : LineEnds(*label)) {
            if (end < shown.size()) {
                EXPECT_TRUE(shown[end - 1] == u' ' || shown[end - 1] == QChar(0x200B))
                    << "line broken after " << shown.left(end).toStdString();
            }
        }
        box.close();
    }
}

TEST(ScreenMessageBox, PathsGetBreakOpportunitiesAfterSeparatorsOnly)
{
    // "^" stands for a zero-width space (may break), "+" for a word joiner (never breaks).
    const std::pair<const char*, const char*> rows[] = {
        {"No path here.", "No path here."},
        {"in /a-b/c.d, then", "in /^a+-+b+/^c+.+d+, then"},
        {"(/x/)", "(+/^x+/^)"},
        {"a/b c/d", "a+/^b c+/^d"},
    };
    for (const auto& [text, expected] : rows) {
        QString want = QString::fromUtf8(expected);
        want.replace(u'^', QChar(0x200B)).replace(u'+', QChar(0x2060));
        EXPECT_EQ(ScreenMessageBox::BreakPathsAtSeparators(QString::fromUtf8(text)), want) << text;
    }
    // Never between the halves of a character outside the basic plane.
    const QString emoji = QStringLiteral("/x\U0001F600");
    const QString out = ScreenMessageBox::BreakPathsAtSeparators(emoji);
    EXPECT_EQ(out, QStringLiteral("/\u200Bx\u2060\U0001F600"));
}

TEST_F(ScreenStyleTest, KeyboardFocusIsABoldRingOrTheSelectedRowAtEverySize)
{
    for (const QSize size : {QSize(240, 320), QSize(480, 640)}) {
        DeviceScreen::Instance().SetSize(size);
        QDialog window;
        auto* button = new QPushButton(QStringLiteral("Cancel"), &window);
        auto* box = new QCheckBox(QStringLiteral("Metric Units"), &window);
        auto* list = new QComboBox(&window);
        list->addItem(QStringLiteral("Calories"));
        auto* date = new QDateEdit(&window);
        // A static text takes the focus for screen readers in the detail views.
        auto* label = new QLabel(QStringLiteral("Calories:"), &window);
        label->setFocusPolicy(Qt::TabFocus);
        const std::initializer_list<QWidget*> widgets{button, box, list, date, label};
        // A list's focus shows on its selected row.
        auto* fruits = new QListWidget(&window);
        fruits->addItems({QStringLiteral("Apple"), QStringLiteral("Pear")});
        fruits->setCurrentRow(0);
        int y = 10;
        for (QWidget* widget : widgets) {
            widget->setGeometry(10, y, widget->sizeHint().width(), widget->sizeHint().height());
            y += widget->height() + 10;
        }
        window.resize(300, y);
        UserInput::Activate(window);
        const QColor highlight = window.palette().color(QPalette::Highlight);
        const int ring = 2 * DeviceScreen::Instance().Multiplier();
        for (QWidget* widget : widgets) {
            widget->setFocus();
            ASSERT_TRUE(widget->hasFocus());
            const QImage image = widget->grab().toImage();
            // Somewhere along the middle row or column (a text may cover the row's ends) the
            // ring is `ring` highlight pixels wide.
            int longest = 0;
            for (int x = 0, run = 0; x < image.width(); ++x) {
                run = image.pixelColor(x, image.height() / 2) == highlight ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            for (int y = 0, run = 0; y < image.height(); ++y) {
                run = image.pixelColor(image.width() / 2, y) == highlight ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            EXPECT_GE(longest, ring) << widget->metaObject()->className() << " at " << size.width();
        }
        fruits->setFocus();
        const QRect row = fruits->visualItemRect(fruits->item(0));
        EXPECT_EQ(fruits->viewport()->grab().toImage().pixelColor(row.left(), row.center().y()),
                  fruits->palette().color(QPalette::HighlightedText));
    }
}

// The menu bar asks for its extension arrow as it is made; the icon is read when first drawn,
// and is the base style's.
TEST_F(ScreenStyleTest, StandardIconsAreTheBaseStylesReadWhenFirstUsed)
{
    ScreenStyle style;
    for (QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon icon = style.standardIcon(which);
        const QIcon base = style.baseStyle()->standardIcon(which);
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.availableSizes(), base.availableSizes());
        EXPECT_EQ(icon.pixmap(QSize(16, 16)).toImage(), base.pixmap(QSize(16, 16)).toImage());
    }
}
