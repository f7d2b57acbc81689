#pragma once

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The emulated handheld screen. Every full-screen dialog takes its size and position, and
// SkinSettings::Init is told its size, never the desktop's.
class DeviceScreen final : public QObject
{
    Q_OBJECT

public:
    // Double the handheld's QVGA: legible on a desktop monitor, skin multiplier 2.
    static constexpr QSize kDefaultSize{480, 640};
    // Text height at multiplier 1, as the handheld's 8-point dialog font.
    static constexpr int kBaseFontPixels = 11;

    static DeviceScreen& Instance();

    QSize Size() const { return m_size; }
    int Width() const { return m_size.width(); }
    int Height() const { return m_size.height(); }
    // Ignores empty or absurd sizes.
    void SetSize(QSize size);
    // Portrait becomes landscape and back: width and height swap.
    void Rotate();

    // Where full-screen dialogs sit: centred on the desktop, the same for all of them.
    QPoint Position() const;
    // The screen as the user sees it around `widget`, in global coordinates: the full-screen
    // dialog the widget (or the window it pops up from) belongs to, else where one would sit.
    QRect Area(const QWidget* widget) const;
    // Shrinks a pop-up window to the screen and moves it as little as needed to lie inside it.
    void KeepInside(QWidget* popup) const;
    // Centres a small window, with its frame if it has one, on the screen of its parent.
    void Centre(QWidget* window) const;
    // The screen mode the skin lays out for: the screen itself when it is one of the skin's six
    // modes, otherwise the portrait 240x320 mode at single size.
    QSize SkinMode() const;
    // Tells SkinSettings the screen mode (at start of every layout and after every rotation).
    void InitSkin() const;
    int Multiplier() const;
    // The dialog font for the current screen mode, scaled like the skin geometry.
    QFont Font() const;

    // Sizes the dialog as the screen, places it, gives it the font, and keeps it so across
    // rotations. Also gives it the rotate shortcut (Ctrl+R).
    void Apply(QWidget* dialog);

    // "WxH" (e.g. "240x320"); false and `size` untouched for anything else.
    static bool ParseSize(const QString& text, QSize* size);

signals:
    void sizeChanged(QSize size);

private:
    DeviceScreen() = default;
    void Fit(QWidget* dialog) const;

    QSize m_size = kDefaultSize;
};
