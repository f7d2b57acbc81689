#include "app/ShellDialogServices.h"

#include "data/UserDatabase.h"
#include "skin/AboutDialog.h"
#include "skin/HelpDialog.h"
#include "skin/PreferencesDialog.h"

bool ShellDialogServices::RunPreferences(QWidget* parent)
{
    PreferencesDialog dialog(m_store.Profile(), m_store.Settings(), parent);
    return dialog.exec() == QDialog::Accepted;
}

void ShellDialogServices::ShowHelp(QWidget* parent, int topic)
{
    HelpDialog dialog(topic, parent);
    dialog.exec();
}

void ShellDialogServices::ShowAbout(QWidget* parent)
{
    AboutDialog dialog(parent);
    dialog.exec();
}

void ShellDialogServices::ShowMessage(QWidget* parent, const QString& caption, const QString& text)
{
    DialogServices::Fallback().ShowMessage(parent, caption, text);
}
