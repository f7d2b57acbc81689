#include "skin/ScreenStyle.h"

#include "skin/DeviceScreen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <optional>

namespace {

int Multiplier()
{
    return DeviceScreen::Instance().Multiplier();
}

// The base style's narrowest push button with text, at single size.
constexpr int kMinButtonWidth = 80;
// What a menu entry adds to the height of its text, at single size: a little less than the base
// style's, so that a calendar's twelve months fit the 240-pixel-high screens.
constexpr int kMenuEntryPadding = 6;

// A standard icon read only when it is first drawn or measured. The base style reads its icons
// through the image plugins, which it loads all at once: the menu bar asks for its extension
// arrow as it is made, long before (if ever) it shows.
class DeferredIconEngine final : public QIconEngine
{
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : m_style(style), m_which(which), m_widget(widget)
    {
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override
    {
        auto* copy = new DeferredIconEngine(m_style, m_which, m_widget);
        copy->m_icon = m_icon;
        return copy;
    }

private:
    const QIcon& Icon()
    {
        if (!m_icon) {
            m_icon = m_style ? m_style->standardIcon(m_which, nullptr, m_widget) : QIcon();
        }
        return *m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QPointer<const QWidget> m_widget;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon ScreenStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                const QWidget* widget) const
{
    // An option describes a moment; only icons asked for without one can wait.
    if (option)
        return QProxyStyle::standardIcon(which, option, widget);
    return QIcon(new DeferredIconEngine(baseStyle(), which, widget));
}

ScreenStyle::ScreenStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ScreenStyle::Install()
{
    QApplication::setStyle(new ScreenStyle);
    const auto follow = [] { QApplication::setFont(DeviceScreen::Instance().Font()); };
    follow();
    QObject::connect(&DeviceScreen::Instance(), &DeviceScreen::sizeChanged, qApp, follow);
}

void ScreenStyle::DrawFocusRing(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    const int width = 2 * Multiplier();
    const int half = width / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette.color(QPalette::Highlight), width, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.drawRect(rect.adjusted(half, half, -half, -half));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(rect.adjusted(width, width, -width - 1, -width - 1));
    painter.restore();
}

int ScreenStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const
{
    // The base style derives some metrics from others through proxy(): only the outermost call
    // scales, or those would grow twice.
    static int depth = 0;
    ++depth;
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    --depth;
    // Negative values are "ask layoutSpacing" and similar markers, not lengths.
    return depth == 0 && value > 0 ? value * Multiplier() : value;
}

QSize ScreenStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const
{
    QSize contents = size;
    // A drop-down list's rows are menu entries measured from the row's rectangle, not from their
    // text: measure the text, so the padding below is all that grows.
    if (type == CT_MenuItem && qobject_cast<const QComboBox*>(widget)) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
            contents =
                QSize(item->fontMetrics.horizontalAdvance(item->text), item->fontMetrics.height());
    }
    QSize result = QProxyStyle::sizeFromContents(type, option, contents, widget);
    const int m = Multiplier();
    switch (type) {
    case CT_PushButton:
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
            button && !button->text.isEmpty())
            result.setWidth(qMax(result.width(), kMinButtonWidth * m));
        break;
    case CT_MenuItem:
    case CT_MenuBarItem:
        // The base style pads menu entries by fixed amounts, not by metrics.
        if (result.isValid() && contents.isValid())
            result = contents + (result - contents) * m;
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            type == CT_MenuItem && item && item->menuItemType != QStyleOptionMenuItem::Separator)
            result.setHeight(qMin(result.height(), contents.height() + kMenuEntryPadding * m));
        break;
    default:
        break;
    }
    return result;
}

int ScreenStyle::layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                               Qt::Orientation orientation, const QStyleOption* option,
                               const QWidget* widget) const
{
    const int value = QProxyStyle::layoutSpacing(control1, control2, orientation, option, widget);
    return value > 0 ? value * Multiplier() : value;
}

void ScreenStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    if (element == PE_FrameFocusRect) {
        // A list's rows are tight and selection already shows them: a plain line, no inner rim,
        // light on a selected row.
        if (qobject_cast<const QAbstractItemView*>(widget)) {
            const auto role =
                (option->state & State_Selected) ? QPalette::HighlightedText : QPalette::Highlight;
            painter->save();
            painter->setPen(QPen(option->palette.color(role), Multiplier()));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
            painter->restore();
        } else {
            DrawFocusRing(*painter, option->rect, option->palette);
        }
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Text fields, lists and grids: the ring around their frame.
    if ((element == PE_FrameLineEdit || element == PE_Frame) && (option->state & State_HasFocus))
        DrawFocusRing(*painter, option->rect, option->palette);
}

void ScreenStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // The base style only tints a focused push button's rim, and draws nothing on a static text
    // that takes the focus so that a screen reader reads it.
    const bool ringed = element == CE_PushButton ||
                        (element == CE_ShapedFrame && qobject_cast<const QLabel*>(widget));
    if (ringed && (option->state & State_HasFocus))
        DrawFocusRing(*painter, option->rect, option->palette);
}

void ScreenStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if ((control == CC_ComboBox || control == CC_SpinBox) && (option->state & State_HasFocus))
        DrawFocusRing(*painter, option->rect, option->palette);
}

void ScreenStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    // Qt places pop-ups within the desktop; the user sees only the emulated screen.
    if (widget->windowType() == Qt::Popup)
        widget->installEventFilter(this);
}

void ScreenStyle::unpolish(QWidget* widget)
{
    if (widget->windowType() == Qt::Popup)
        widget->removeEventFilter(this);
    QProxyStyle::unpolish(widget);
}

bool ScreenStyle::eventFilter(QObject* watched, QEvent* event)
{
    // Before the window is mapped, so it never shows in the wrong place.
    if (event->type() == QEvent::Show && watched->isWidgetType())
        DeviceScreen::Instance().KeepInside(static_cast<QWidget*>(watched));
    return QProxyStyle::eventFilter(watched, event);
}
