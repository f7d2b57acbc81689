#pragma once

#include <QString>

class PageHost;
class QWidget;

// The logic of one screen, run inside a LayoutBaseDialog through PageHost.
class Page
{
public:
    virtual ~Page() = default;

    // Takes over the host: section, buttons, title, date and content.
    virtual void Attach(PageHost& host) = 0;
    virtual void Detach() = 0;
    // Non-zero when handled.
    virtual int OnEvent(const QString& name, QWidget* sender) = 0;
    // Help topic number, negative for none.
    virtual int GetHelpTopic() const = 0;
    // The name other pages navigate to it by ("goFood", "profile", ...).
    virtual QString GetName() const = 0;
    // Whether the page may be left for the page the navigation event names.
    virtual bool CanLeave(const QString& eventName)
    {
        Q_UNUSED(eventName);
        return true;
    }
};
