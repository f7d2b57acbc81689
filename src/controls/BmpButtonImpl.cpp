#include "controls/BmpButtonImpl.h"

#include "skin/ScreenStyle.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinSettings.h"
#include "vocabulary/EventListener.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr std::uint32_t kMissingColour = 0xC80000;

bool IsReturn(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// The same key event with Return turned into Space, which is what presses a button.
QKeyEvent AsSpace(const QKeyEvent* event)
{
    return QKeyEvent(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                     event->isAutoRepeat(), ushort(event->count()));
}
} // namespace

BmpButtonImpl::BmpButtonImpl(bool drawText, QWidget* parent, int id)
    : QAbstractButton(parent), m_drawText(drawText)
{
    setObjectName(QString::number(id));
    SetListener(nullptr);
    hide(); // until it has a name
    connect(this, &QAbstractButton::clicked, this, &BmpButtonImpl::Pressed);
}

void BmpButtonImpl::SetListener(EventListener* listener)
{
    m_listener = listener;
    // A passive picture: no tab stop, and taps fall through to what lies below.
    setFocusPolicy(listener ? Qt::StrongFocus : Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents, !listener);
}

void BmpButtonImpl::SetSection(const QString& section)
{
    m_section = section;
    update();
}

void BmpButtonImpl::SetName(const QString& name)
{
    m_name = name;
    if (name.isEmpty()) {
        hide();
        return;
    }
    setText(name);
    show();
    update();
}

QSize BmpButtonImpl::sizeHint() const
{
    return {57, 18};
}

void BmpButtonImpl::Pressed()
{
    if (!m_listener)
        return;
    const QString name = m_name; // the listener may rename or hide this button
    m_listener->OnEvent(name, this);
}

// Return presses a focused button as Space does.
template <typename Handler>
static void ReturnAsSpace(QKeyEvent* event, bool active, Handler handler)
{
    if (!active || !IsReturn(event)) {
        handler(event);
        return;
    }
    QKeyEvent space = AsSpace(event);
    handler(&space);
    event->setAccepted(space.isAccepted());
}

void BmpButtonImpl::keyPressEvent(QKeyEvent* event)
{
    ReturnAsSpace(event, m_listener, [this](QKeyEvent* e) { QAbstractButton::keyPressEvent(e); });
}

void BmpButtonImpl::keyReleaseEvent(QKeyEvent* event)
{
    ReturnAsSpace(event, m_listener, [this](QKeyEvent* e) { QAbstractButton::keyReleaseEvent(e); });
}

void BmpButtonImpl::PaintPlainButton(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area,
                     SkinSettings::Instance().GetColor(
                         QString(m_section + QStringLiteral("/btn/background")), kMissingColour));
    // A light rim, so the button still stands out on a panel of its own colour.
    painter.save();
    painter.setPen(QColor(255, 255, 255, 150));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area.adjusted(1, 1, -2, -2), 2, 2);
    painter.restore();
}

void BmpButtonImpl::paintEvent(QPaintEvent*)
{
    SkinSettings& skin = SkinSettings::Instance();
    const QString base = m_section + u'/' + m_name;
    const QString state = isDown()     ? QStringLiteral("/down")
                          : hasFocus() ? QStringLiteral("/focus")
                                       : QStringLiteral("/up");
    const SkinBitmap* bitmap = skin.GetBitmap(QString(base + state));
    // A state-specific image shows focus itself; a fallback image gets a focus rectangle.
    bool focusFrame = false;
    if (!bitmap) {
        bitmap = skin.GetBitmap(QString(base + QStringLiteral("/up")));
        if (!bitmap)
            bitmap = skin.GetBitmap(base);
        focusFrame = hasFocus();
    }

    QPainter painter(this);
    const QRect area = rect();
    const bool drawn = bitmap && bitmap->Draw(painter, area);
    if (!drawn)
        PaintPlainButton(painter, area);

    // Without artwork the name is all there is to tell the button by.
    if (m_drawText || !drawn) {
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, m_name);
    }

    if (focusFrame)
        ScreenStyle::DrawFocusRing(painter, area, palette());
}
