#pragma once

#include <QWidget>

class QScrollBar;

// A window with a vertical scroll bar that scrolls its children by laying them out again at an
// offset. Subclasses answer the content height and place the children.
//
// The scroll information keeps the handheld's convention: the maximum counts the page, so the
// last position is maximum - page + 1. The Qt scroll bar only shows it (its maximum is that
// last position).
class ScrollCtrlContainer : public QWidget
{
    Q_OBJECT

public:
    struct ScrollInfo
    {
        int minimum = 0;
        int maximum = 0;
        int page = 0;
        int position = 0;

        bool HasRange() const { return minimum != maximum; }
        int Limit() const { return maximum - page + 1; }
        bool operator==(const ScrollInfo&) const = default;
    };
    enum class ScrollCode
    {
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        ThumbPosition,
        ThumbTrack,
        Top,
        Bottom,
        EndScroll,
        Other
    };
    struct UpdateResult
    {
        bool changed = false; // the scroll information must be applied
        bool layout = false;  // lay the content out now
    };

    explicit ScrollCtrlContainer(QWidget* parent = nullptr);
    ~ScrollCtrlContainer() override;

    int Offset() const { return m_offset; }
    const ScrollInfo& Info() const { return m_info; }
    QScrollBar* ScrollBar() const { return m_bar; }
    // The area the children are laid out in: the window less the scroll bar when it shows.
    QRect ClientRect() const;

    // Scrolls so that the window with the keyboard focus shows whole, when it is inside.
    void EnsureFocusVisible();
    void Scroll(ScrollCode code, int thumbPosition = 0);

    // The arithmetic alone.
    static UpdateResult ComputeUpdate(int clientHeight, int contentHeight, ScrollInfo& info,
                                      int& offset);
    static int ComputePosition(ScrollCode code, int thumbPosition, const ScrollInfo& info);

protected:
    // contentRect is the client rectangle moved up by the offset; yTop = client top - offset.
    virtual void LayoutContent(const QRect& contentRect, const QRect& clientRect, int yTop) = 0;
    virtual int GetContentHeight(const QRect& clientRect, const ScrollInfo& info) = 0;
    virtual bool UpdateScroll(const QRect& clientRect, ScrollInfo& info);

    // Lays the content out again for the current size, e.g. after texts changed.
    void Relayout();

    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnResize(int depth);
    void ApplyInfo();
    void LayoutAtOffset();
    void OnBarAction(int action);
    void OnBarValue(int value);

    QScrollBar* m_bar = nullptr;
    ScrollInfo m_info;
    int m_offset = 0;
    bool m_applying = false;
    QMetaObject::Connection m_focusWatch;
};
