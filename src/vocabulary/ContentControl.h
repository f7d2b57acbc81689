#pragma once

class EventListener;
class QWidget;

// A control the layout base dialog can host in its content band, made by name through the
// ContentControlRegistry. The object is owned by its window: deleting the window ends it.
class ContentControl
{
public:
    virtual EventListener* GetListener() const = 0;
    virtual void SetListener(EventListener* listener) = 0;
    // The window to host; never none.
    virtual QWidget* GetWindow() = 0;
    // The object pages work with; they dynamic_cast it to the control's own interface.
    virtual ContentControl* GetPayload() { return this; }

protected:
    ~ContentControl() = default;
};
