#pragma once

#include "skin/DialogServices.h"

class UserEdits;

// The real dialogs behind the menus, the help mark and page messages.
class ShellDialogServices final : public DialogServices
{
public:
    explicit ShellDialogServices(UserEdits& edits) : m_edits(edits) {}

    bool RunPreferences(QWidget* parent) override;
    void ShowHelp(QWidget* parent, int topic) override;
    void ShowAbout(QWidget* parent) override;
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override;

private:
    UserEdits& m_edits;
};
