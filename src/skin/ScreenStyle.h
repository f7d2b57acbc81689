#pragma once

#include <QProxyStyle>

class QPainter;

// The native widgets' look on the emulated screen: every length the base style measures
// (indicators, scroll bars, icons, margins, frames) grows with the skin multiplier, as text does,
// and keyboard focus is drawn as a bold ring at every size; pop-ups (drop-down lists, calendars,
// menus) open inside the emulated screen. Install makes it the application's style and keeps
// the application font at the screen mode's size across rotations and changes.
class ScreenStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    ScreenStyle();

    static void Install();

    // The focus ring every control draws: bold in the highlight colour with a white inner line,
    // so it shows on white panels and on coloured artwork alike.
    static void DrawFocusRing(QPainter& painter, const QRect& rect, const QPalette& palette);

    // Read when first drawn, so that making a widget never loads the image plugins.
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption* option = nullptr,
                      const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
