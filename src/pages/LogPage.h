#pragma once

#include "data/Item.h"
#include "data/TimeBase.h"
#include "pages/PageBase.h"

// The base of the fitness log, food log and journal pages: a list of one kind shown for one
// day, which is today whenever the page is attached and changes only with the title bar's date.
class LogPage : public PageBase
{
public:
    LogPage(Session& session, const QString& name, int helpTopic, ItemKind kind);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

    ItemKind Kind() const { return m_kind; }
    TimeBase::Stamp Day() const { return m_day; }

protected:
    // "lookup", "dateChanged", "add", "fav" and "delete", then the common events.
    int HandleLogEvent(const QString& name, QWidget* sender);

    virtual void OpenPicker(bool lookup, bool favorites) = 0;
    virtual void DeleteSelected() = 0;
    // Shows the items of Day().
    virtual void ReloadDay() = 0;

private:
    ItemKind m_kind;
    TimeBase::Stamp m_day = 0;
};
