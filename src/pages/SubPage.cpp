#include "pages/SubPage.h"

#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

SubPage::SubPage(const QString& name, int helpTopic) : PageBase(name, helpTopic) {}

int SubPage::OnEvent(const QString& name, QWidget*)
{
    return HandleSubPageEvent(name);
}

int SubPage::HandleSubPageEvent(const QString& name)
{
    if (name == Events::kGoHome || name == Events::kGoProfile || name == Events::kGoFitness ||
        name == Events::kGoFood || name == Events::kGoJournal) {
        EndWith(Navigated, name);
        return 1;
    }
    if (name == Events::kDialogApplied) {
        m_resultCode = Chosen;
        m_resultText.clear();
        RecordChoice();
        return 1;
    }
    return 0;
}

void SubPage::EndWith(int code, const QString& text)
{
    m_resultCode = code;
    m_resultText = text;
    if (code == Chosen)
        RecordChoice();
    if (Host())
        Host()->Close();
}
