#pragma once

#include <QString>

// What the journal page gets back from SetContent("JournalItemDetailsControl").
class JournalItemDetails
{
public:
    virtual QString GetName() const = 0;
    virtual QString GetSubject() const = 0;
    virtual void SetSubject(const QString& text) = 0;
    // Lines end in "\r\n", as the entries have always been stored and posted.
    virtual QString GetBody() const = 0;
    virtual void SetBody(const QString& text) = 0;

protected:
    ~JournalItemDetails() = default;
};
