#pragma once

#include "vocabulary/EventListener.h"

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// QStringList({"a", "b"}) would take two pointers for an iterator range.
inline QStringList Names(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

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
