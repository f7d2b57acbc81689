#include "controls/ScrollCtrlContainer.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

ScrollCtrlContainer::ScrollCtrlContainer(QWidget* parent) : QWidget(parent)
{
    m_bar = new QScrollBar(Qt::Vertical, this);
    m_bar->setObjectName(QStringLiteral("scrollBar"));
    m_bar->setSingleStep(5);
    m_bar->hide();
    connect(m_bar, &QAbstractSlider::actionTriggered, this, &ScrollCtrlContainer::OnBarAction);
    connect(m_bar, &QAbstractSlider::valueChanged, this, &ScrollCtrlContainer::OnBarValue);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now != m_bar && isAncestorOf(now))
            EnsureFocusVisible();
    });
}

ScrollCtrlContainer::~ScrollCtrlContainer()
{
    // Children are deleted after this part of the object is gone; focus moving among them then
    // must not lay anything out.
    disconnect(m_focusWatch);
}

QRect ScrollCtrlContainer::ClientRect() const
{
    QRect client = rect();
    if (m_info.HasRange())
        client.setWidth(std::max(0, client.width() - m_bar->sizeHint().width()));
    return client;
}

ScrollCtrlContainer::UpdateResult ScrollCtrlContainer::ComputeUpdate(int clientHeight,
                                                                     int contentHeight,
                                                                     ScrollInfo& info, int& offset)
{
    UpdateResult result;
    if (info.HasRange()) {
        if (contentHeight <= clientHeight) {
            // Removing the bar widens the window; that resize lays out.
            info.maximum = info.minimum;
            offset = 0;
            result.changed = true;
            return result;
        }
        if (contentHeight != info.maximum || clientHeight != info.page) {
            info = {0, contentHeight, clientHeight, 0};
            offset = 0;
            result.changed = true;
        }
    } else if (contentHeight > clientHeight) {
        info = {0, contentHeight, clientHeight, 0};
        offset = 0;
        result.changed = true;
        return result;
    }
    result.layout = true;
    return result;
}

int ScrollCtrlContainer::ComputePosition(ScrollCode code, int thumbPosition, const ScrollInfo& info)
{
    const int limit = info.Limit();
    switch (code) {
    case ScrollCode::LineUp:
        return std::max(info.position - 5, info.minimum);
    case ScrollCode::LineDown:
        return std::min(info.position + 5, limit);
    case ScrollCode::PageUp:
        return std::max(info.position - info.page, info.minimum);
    case ScrollCode::PageDown:
        return std::min(info.position + info.page, limit);
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack:
        return thumbPosition;
    case ScrollCode::Top:
        return info.minimum;
    case ScrollCode::Bottom:
        return limit;
    case ScrollCode::EndScroll:
    case ScrollCode::Other:
        break;
    }
    return info.position;
}

bool ScrollCtrlContainer::UpdateScroll(const QRect& clientRect, ScrollInfo& info)
{
    const int contentHeight = GetContentHeight(clientRect, info);
    const UpdateResult result = ComputeUpdate(clientRect.height(), contentHeight, info, m_offset);
    if (result.layout)
        LayoutContent(clientRect.translated(0, -m_offset), clientRect, clientRect.top() - m_offset);
    return result.changed;
}

void ScrollCtrlContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    OnResize(0);
}

void ScrollCtrlContainer::Relayout()
{
    OnResize(0);
}

void ScrollCtrlContainer::OnResize(int depth)
{
    const bool hadBar = m_info.HasRange();
    if (!UpdateScroll(ClientRect(), m_info))
        return;
    ApplyInfo();
    // Showing or hiding the bar changes the client area: the handheld lays out again in the
    // resize that follows. Twice is enough, as the height of the client does not change.
    if (hadBar != m_info.HasRange() && depth < 2)
        OnResize(depth + 1);
}

void ScrollCtrlContainer::ApplyInfo()
{
    m_applying = true;
    if (m_info.HasRange()) {
        m_bar->setRange(m_info.minimum, std::max(m_info.minimum, m_info.Limit()));
        m_bar->setPageStep(std::max(1, m_info.page));
        m_bar->setValue(m_info.position);
        m_bar->setGeometry(width() - m_bar->sizeHint().width(), 0, m_bar->sizeHint().width(),
                           height());
        m_bar->show();
        m_bar->raise();
    } else {
        m_bar->hide();
        m_bar->setRange(0, 0);
    }
    m_applying = false;
}

void ScrollCtrlContainer::LayoutAtOffset()
{
    const QRect client = ClientRect();
    LayoutContent(client.translated(0, -m_offset), client, client.top() - m_offset);
}

void ScrollCtrlContainer::Scroll(ScrollCode code, int thumbPosition)
{
    if (code == ScrollCode::EndScroll) {
        LayoutAtOffset();
        return;
    }
    m_info.position = ComputePosition(code, thumbPosition, m_info);
    m_offset = m_info.position;
    LayoutAtOffset();
    m_applying = true;
    m_bar->setValue(m_info.position);
    m_applying = false;
}

void ScrollCtrlContainer::OnBarAction(int action)
{
    ScrollCode code = ScrollCode::Other;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = ScrollCode::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = ScrollCode::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = ScrollCode::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = ScrollCode::PageDown;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = ScrollCode::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = ScrollCode::Bottom;
        break;
    case QAbstractSlider::SliderMove:
        code = ScrollCode::ThumbTrack;
        break;
    default:
        return;
    }
    // Qt applies the slider position after this signal; give it the handheld's answer.
    m_bar->setSliderPosition(ComputePosition(code, m_bar->sliderPosition(), m_info));
}

void ScrollCtrlContainer::OnBarValue(int value)
{
    if (m_applying || value == m_offset)
        return;
    m_info.position = value;
    m_offset = value;
    LayoutAtOffset();
}

void ScrollCtrlContainer::EnsureFocusVisible()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus) || focus == m_bar)
        return;
    const QRect client = ClientRect();
    const QRect r(focus->mapTo(this, QPoint(0, 0)), focus->size());
    int offset = m_offset;
    if (r.top() < client.top())
        offset += r.top() - client.top();
    else if (r.y() + r.height() > client.y() + client.height())
        offset += (r.y() + r.height()) - (client.y() + client.height());
    else
        return;
    // Keep the offset where the bar can show it.
    const int last = m_info.HasRange() ? std::max(m_info.minimum, m_info.Limit()) : 0;
    offset = std::clamp(offset, m_info.minimum, last);
    if (offset == m_offset)
        return;
    m_offset = offset;
    m_info.position = offset;
    m_applying = true;
    m_bar->setValue(offset);
    m_applying = false;
    LayoutAtOffset();
}

void ScrollCtrlContainer::wheelEvent(QWheelEvent* event)
{
    if (m_info.HasRange())
        QApplication::sendEvent(m_bar, event);
    else
        QWidget::wheelEvent(event);
}
