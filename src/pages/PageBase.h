#pragma once

#include "vocabulary/Page.h"

#include <QString>

class PageHost;

// What every page shares: it registers itself for navigation while it exists, remembers its
// host while attached, and falls back to the common handling of navigation, "goHome" and "done".
class PageBase : public Page
{
public:
    PageBase(const QString& name, int helpTopic);
    ~PageBase() override;
    PageBase(const PageBase&) = delete;
    PageBase& operator=(const PageBase&) = delete;

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;
    int GetHelpTopic() const override { return m_helpTopic; }
    QString GetName() const override { return m_name; }

    PageHost* Host() const { return m_host; }

    // "goHome", navigation and "done"; non-zero when handled.
    int HandleCommonEvent(const QString& name);
    // Switches the host to the page the navigation event names ("goProfile": results for a
    // complete profile, else the profile).
    void NavigateTo(const QString& eventName);
    static QString TargetOf(const QString& eventName);

private:
    QString m_name;
    int m_helpTopic;
    PageHost* m_host = nullptr;
};
