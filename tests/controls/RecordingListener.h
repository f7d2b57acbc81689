#pragma once

#include "controls/EventListener.h"

#include <QString>
#include <QStringList>

#include <vector>

// Remembers every event it hears; answers "handled" for the names in `handled`.
class RecordingListener final : public EventListener
{
public:
    int OnEvent(const QString& name, QWidget* sender) override
    {
        names << name;
        senders.push_back(sender);
        return handled.contains(name) ? 1 : 0;
    }

    QStringList names;
    std::vector<QWidget*> senders;
    QStringList handled;
};
