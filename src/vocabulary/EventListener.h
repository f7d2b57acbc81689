#pragma once

#include <QString>

class QWidget;

// Receives the named events of controls ("add", "gridActivate", ...; see vocabulary/Events.h).
class EventListener
{
public:
    // Non-zero when the event was handled. `sender` is the control that raised it, or none.
    virtual int OnEvent(const QString& name, QWidget* sender) = 0;

protected:
    ~EventListener() = default;
};
