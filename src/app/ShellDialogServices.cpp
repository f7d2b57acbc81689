#include "app/ShellDialogServices.h"

#include "commands/SwitchUnitsCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "skin/AboutDialog.h"
#include "skin/HelpDialog.h"
#include "skin/PreferencesDialog.h"
#include "vocabulary/Session.h"

bool ShellDialogServices::RunPreferences(QWidget* parent)
{
    UserEdits& edits = *m_session.Edits();
    const UserDatabase& store = edits.Store();
    PreferencesDialog dialog(store.Profile(), store.Settings(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SwitchUnitsCommand::ChangePreferences(edits, dialog.ChosenNutrient(), dialog.ChosenMetric());
    return true;
}

void ShellDialogServices::ShowHelp(QWidget* parent, int topic)
{
    HelpDialog dialog(topic, m_session.References()->Texts(), parent);
    dialog.exec();
}

void ShellDialogServices::ShowAbout(QWidget* parent)
{
    const AppServices* services = m_session.Services();
    AboutDialog dialog(parent,
                       services ? services->GetProductVersion() : AppServices::CompiledVersion());
    dialog.exec();
}

void ShellDialogServices::ShowMessage(QWidget* parent, const QString& caption, const QString& text)
{
    DialogServices::Fallback().ShowMessage(parent, caption, text);
}
