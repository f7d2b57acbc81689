#include "app/ShellDialogServices.h"

#include "commands/SwitchUnitsCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "skin/AboutDialog.h"
#include "skin/HelpDialog.h"
#include "skin/PreferencesDialog.h"

bool ShellDialogServices::RunPreferences(QWidget* parent)
{
    const UserDatabase& store = m_edits.Store();
    PreferencesDialog dialog(store.Profile(), store.Settings(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SwitchUnitsCommand::ChangePreferences(m_edits, dialog.ChosenNutrient(), dialog.ChosenMetric());
    return true;
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
