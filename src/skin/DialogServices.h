#pragma once

#include <QString>

class QWidget;

// The dialogs a layout base dialog opens from its menu, its help mark and its pages' messages.
// The shell supplies the real ones; tests answer them without blocking.
class DialogServices
{
public:
    virtual ~DialogServices() = default;

    // Runs the preferences dialog modally; true when the user accepted it.
    virtual bool RunPreferences(QWidget* parent) = 0;
    virtual void ShowHelp(QWidget* parent, int topic) = 0;
    virtual void ShowAbout(QWidget* parent) = 0;
    // Information icon, the caption, the text as plain text, and an OK button; modal.
    virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text) = 0;

    // Message boxes only; the menu dialogs do nothing until the shell provides them.
    static DialogServices& Fallback();
};
