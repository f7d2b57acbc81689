#pragma once

#include "skin/DialogServices.h"

class Session;

// The real dialogs behind the menus, the help mark and page messages.
class ShellDialogServices final : public DialogServices
{
public:
    // The session has a store.
    explicit ShellDialogServices(Session& session) : m_session(session) {}

    bool RunPreferences(QWidget* parent) override;
    void ShowHelp(QWidget* parent, int topic) override;
    void ShowAbout(QWidget* parent) override;
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override;

private:
    Session& m_session;
};
