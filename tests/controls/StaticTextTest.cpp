#include "controls/StaticText.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

constexpr QChar kEllipsis(0x2026);

TEST(StaticTextTest, WhatDoesNotFitEndsInAnEllipsisAndShowsWholeAsATooltip)
{
    const QString name = QStringLiteral("Mountain bike, uphill, vigorous");
    StaticText label(name);
    const QFontMetrics metrics = label.fontMetrics();
    const int whole = metrics.horizontalAdvance(name) + 2;
    const int narrow = metrics.horizontalAdvance(QStringLiteral("Mountain bike, uphill,")) + 2;
    struct Case
    {
        bool wrap;
        int width;
        int lines; // of height
        bool cut;
    };
    for (const Case c : {Case{false, whole, 1, false}, Case{true, narrow, 2, false},
                         Case{true, narrow, 1, true}, Case{false, narrow, 2, true}}) {
        label.setWordWrap(c.wrap);
        label.resize(c.width, c.lines * metrics.lineSpacing());
        const QString shown = label.ShownText();
        EXPECT_EQ(label.IsCut(), c.cut) << c.wrap << c.lines;
        if (c.cut)
            EXPECT_TRUE(shown.endsWith(kEllipsis) && !shown.contains(u'\n')) << qPrintable(shown);
        else
            EXPECT_EQ(shown, name);
    }
    ASSERT_TRUE(label.IsCut());
    label.show();
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), label.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&label, &help);
    EXPECT_EQ(QToolTip::text(), name);
}

} // namespace
