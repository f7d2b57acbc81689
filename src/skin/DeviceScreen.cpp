#include "skin/DeviceScreen.h"

#include "skin/SkinSettings.h"

#include <QAction>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
constexpr int kMinSide = 120;
constexpr int kMaxSide = 4096;

bool Plausible(QSize size)
{
    return size.width() >= kMinSide && size.height() >= kMinSide && size.width() <= kMaxSide &&
           size.height() <= kMaxSide;
}
} // namespace

DeviceScreen& DeviceScreen::Instance()
{
    static DeviceScreen* screen = new DeviceScreen; // lives as long as the process
    return *screen;
}

void DeviceScreen::SetSize(QSize size)
{
    if (!Plausible(size) || size == m_size)
        return;
    m_size = size;
    emit sizeChanged(m_size);
}

void DeviceScreen::Rotate()
{
    SetSize(m_size.transposed());
}

QPoint DeviceScreen::Position() const
{
    const QScreen* desktop = QGuiApplication::primaryScreen();
    if (!desktop)
        return {};
    const QRect area = desktop->availableGeometry();
    return {area.x() + qMax(0, (area.width() - m_size.width()) / 2),
            area.y() + qMax(0, (area.height() - m_size.height()) / 2)};
}

QRect DeviceScreen::Area(const QWidget* widget) const
{
    for (const QWidget* window = widget ? widget->window() : nullptr; window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (window->windowType() != Qt::Popup && window->size() == m_size)
            return {window->mapToGlobal(QPoint(0, 0)), m_size};
    }
    return {Position(), m_size};
}

void DeviceScreen::KeepInside(QWidget* popup) const
{
    const QWidget* anchor = popup->parentWidget();
    const QRect area = Area(anchor);
    QRect place(popup->pos(), popup->size().boundedTo(area.size()));
    // One that drops below its field and finds no room there opens above it, as on a desktop.
    if (anchor && place.bottom() > area.bottom()) {
        const QRect field(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
        if (place.top() >= field.bottom() && field.top() - area.top() >= place.height())
            place.moveBottom(field.top() - 1);
    }
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height()));
    if (place != popup->geometry())
        popup->setGeometry(place);
}

void DeviceScreen::Centre(QWidget* window) const
{
    const QRect area = Area(window->parentWidget());
    const QSize outer = window->frameGeometry().size(); // with the window manager's frame, if any
    window->move(area.topLeft() +
                 QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2));
}

QSize DeviceScreen::SkinMode() const
{
    static constexpr QSize kModes[] = {{240, 240}, {240, 320}, {320, 240},
                                       {480, 480}, {480, 640}, {640, 480}};
    for (const QSize mode : kModes) {
        if (mode == m_size)
            return mode;
    }
    return kModes[1];
}

void DeviceScreen::InitSkin() const
{
    const QSize mode = SkinMode();
    SkinSettings::Instance().Init(mode.width(), mode.height());
}

int DeviceScreen::Multiplier() const
{
    const QSize mode = SkinMode();
    return SkinSettings::MultiplierFor(mode.width(), mode.height());
}

QFont DeviceScreen::Font() const
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(kBaseFontPixels * Multiplier());
    return font;
}

void DeviceScreen::Fit(QWidget* dialog) const
{
    dialog->setFont(Font());
    dialog->setFixedSize(m_size);
    if (dialog->isWindow())
        dialog->move(Position());
}

void DeviceScreen::Apply(QWidget* dialog)
{
    Fit(dialog);
    connect(this, &DeviceScreen::sizeChanged, dialog, [this, dialog] { Fit(dialog); });

    auto* rotate = new QAction(tr("Rotate Screen"), dialog);
    rotate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    rotate->setShortcutContext(Qt::WindowShortcut);
    connect(rotate, &QAction::triggered, this, &DeviceScreen::Rotate);
    dialog->addAction(rotate);
}

bool DeviceScreen::ParseSize(const QString& text, QSize* size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const QSize parsed(match.captured(1).toInt(), match.captured(2).toInt());
    if (!Plausible(parsed))
        return false;
    if (size)
        *size = parsed;
    return true;
}
