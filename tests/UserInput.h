#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <optional>

#include <gtest/gtest.h>

// Keys and taps as a person gives them: to the active window, which hands each to its focus
// widget or to the pop-up open over it.
namespace UserInput {

inline void Activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

inline void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

inline void Type(QWidget& window, const char* text)
{
    for (; *text; ++text)
        QTest::keyClick(window.windowHandle(), *text);
}

// A tap on `widget` of the window, at its centre unless told where.
inline void Tap(QWidget& window, const QWidget* widget, std::optional<QPoint> at = {})
{
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(&window, at.value_or(widget->rect().center())));
}

} // namespace UserInput
