#include "pages/JournalEntryPage.h"

#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "controls/JournalItemDetails.h"
#include "data/UserDatabase.h"
#include "pages/BlogPosting.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QWidget>

namespace {
constexpr int kHelpTopic = 6;
}

JournalEntryPage::JournalEntryPage(Session& session, TimeBase::Stamp day, bool posted,
                                   const QString& subject, const QString& body)
    : SubPage(session, QStringLiteral("journal.entry"), kHelpTopic), m_day(day), m_posted(posted),
      m_openSubject(subject), m_openBody(body), m_subject(subject), m_body(body)
{
}

void JournalEntryPage::Attach(PageHost& host)
{
    SubPage::Attach(host);
    m_accepted = false;
    host.SetSection(Events::kJournal);
    host.SetBottomButton(1, Events::kCancel);
    host.SetBottomButton(0, Events::kDone);
    host.SetTitleButton(1, QStringLiteral("title"));
    if (!m_posted)
        host.SetBottomButton(-1, Events::kBlog);
    host.SetTitleButton(0, Events::kMenu);
    ContentControl* content = host.SetContent(QStringLiteral("JournalItemDetailsControl"));
    m_details = dynamic_cast<JournalItemDetails*>(content);
    m_window = m_details ? content->GetWindow() : nullptr;
    if (JournalItemDetails* details = Details()) {
        details->SetBody(m_body);
        details->SetSubject(m_subject);
        m_openSubject = details->GetSubject();
        m_openBody = details->GetBody();
        UpdateBlogButton();
    }
}

void JournalEntryPage::Detach()
{
    m_details = nullptr;
    m_window = nullptr;
    PageBase::Detach();
}

JournalItemDetails* JournalEntryPage::Details() const
{
    return m_window ? m_details : nullptr;
}

bool JournalEntryPage::Differs() const
{
    const JournalItemDetails* details = Details();
    return details && (details->GetSubject() != m_openSubject || details->GetBody() != m_openBody);
}

int JournalEntryPage::OnEvent(const QString& name, QWidget*)
{
    const JournalItemDetails* details = Details();
    if (name == Events::kCancel) {
        EndWith(Closed);
        return 1;
    }
    if (name == Events::kDone) {
        if (details && !details->GetSubject().isEmpty())
            Accept();
        return 1;
    }
    if (name == Events::kBlog) {
        Post();
        return 1;
    }
    if (name == Events::kDialogApplied || name == Events::kWindowClosing) {
        // The dialog's own OK, and its window going, store the entry as "done" does.
        if (Differs())
            m_posted = false;
        RecordChoice();
        m_accepted = !m_subject.isEmpty();
        return name == Events::kWindowClosing ? 1 : HandleSubPageEvent(name);
    }
    if (name == Events::kDataChanged) {
        UpdateBlogButton();
        return 1;
    }
    if (name == Events::kGoHome || name == Events::kGoProfile || name == Events::kGoFitness ||
        name == Events::kGoFood || name == Events::kGoJournal) {
        // Leaving through the navigation bar keeps what was typed, as "done" would.
        if (details && !details->GetSubject().isEmpty()) {
            Accept(name, Navigated);
            return 1;
        }
    }
    return HandleSubPageEvent(name);
}

void JournalEntryPage::RecordChoice()
{
    if (const JournalItemDetails* details = Details()) {
        m_subject = details->GetSubject();
        m_body = details->GetBody();
    }
}

void JournalEntryPage::Accept(const QString& nextPage, int code)
{
    if (Differs())
        m_posted = false;
    RecordChoice();
    m_accepted = !m_subject.isEmpty();
    EndWith(code, nextPage);
}

void JournalEntryPage::UpdateBlogButton()
{
    if (Host())
        Host()->SetBottomButton(-1, Differs() || !m_posted ? Events::kBlog : QString());
}

void JournalEntryPage::Post()
{
    UserDatabase* store = Store();
    const JournalItemDetails* details = Details();
    if (!store || !details || !Host())
        return;
    const UserProfile& profile = store->Profile();
    if (!(profile.Flags() & UserProfile::kJournalFlag)) {
        Host()->ShowMessage(QStringLiteral("Blog data"),
                            QStringLiteral("Fill blogging profile in order to use blogging"));
        Accept(Events::kBlogger);
        return;
    }
    const QString subject = details->GetSubject();
    const QString body = details->GetBody();
    if (subject.isEmpty())
        return;
    PostRequest request(profile);
    request.AppendField(subject);
    request.AppendField(body);
    request.AppendField(profile.GetUserName());
    if (BlogPosting::Run(GetSession(), *Host(), request, PostProtocol::PostUrl()) !=
        BlogPosting::Outcome::Accepted)
        return; // the entry stays as it was, unposted
    // What was posted is what is stored, with the flag set.
    m_subject = subject;
    m_body = body;
    m_posted = true;
    m_accepted = true;
    EndWith(Chosen);
}
