#pragma once

#include "commands/DataNotifier.h"
#include "vocabulary/Page.h"

#include <QMetaObject>
#include <QString>

#include <vector>

class DataNotifier;
class PageHost;
class Session;
class UserDatabase;
class UserEdits;

// What every page shares: it registers itself with its session for navigation while it exists,
// remembers its host while attached, and falls back to the common handling of navigation, "goHome"
// and "done".
class PageBase : public Page
{
public:
    PageBase(Session& session, const QString& name, int helpTopic);
    ~PageBase() override;
    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;
    int GetHelpTopic() const override { return m_helpTopic; }
    QString GetName() const override { return m_name; }

    PageHost* Host() const { return m_host; }
    Session& GetSession() const { return m_session; }

    // "goHome", navigation and "done"; non-zero when handled.
    int HandleCommonEvent(const QString& name);
    // Switches the host to the page the navigation event names ("goProfile": results for a
    // complete profile, else the profile).
    void NavigateTo(const QString& eventName);
    QString TargetOf(const QString& eventName) const;

protected:
    // The diary the page shows; null when there is none.
    UserDatabase* Store() const;
    // Where the page makes its edits of the user's data; null when there is no store.
    UserEdits* Edits() const;
    // A number no other attach of any page got: the merge key of the edits of one visit.
    static int NextVisit();
    // Calls `react` on the notifier's `signal` until the page is detached.
    template <class Signal, class React> void Watch(Signal signal, React react);

private:
    void Unwatch();
    DataNotifier* Notifier() const;

    Session& m_session;
    std::vector<QMetaObject::Connection> m_watches;
    QString m_name;
    int m_helpTopic;
    PageHost* m_host = nullptr;
};

template <class Signal, class React> void PageBase::Watch(Signal signal, React react)
{
    if (DataNotifier* notifier = Notifier())
        m_watches.push_back(QObject::connect(notifier, signal, react));
}
