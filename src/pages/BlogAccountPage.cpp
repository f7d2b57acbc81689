#include "pages/BlogAccountPage.h"

#include "blog/BlogAccountCheck.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "commands/ChangeProfileCommand.h"
#include "commands/UserEdits.h"
#include "data/UserDatabase.h"
#include "pages/BlogPosting.h"
#include "views/BloggerEditor.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/Events.h"
#include "vocabulary/PageHost.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace {
constexpr int kHelpTopic = 11;
const QString kView = QStringLiteral("view");
const QString kCaption = QStringLiteral("Blogger");
} // namespace

BlogAccountPage::BlogAccountPage(Session& session) : PageBase(session, Events::kBlogger, kHelpTopic)
{
}

void BlogAccountPage::Attach(PageHost& host)
{
    PageBase::Attach(host);
    UserDatabase* store = Store();
    host.SetSection(Events::kProfile);
    host.SetBottomButton(0, Events::kDone);
    host.SetBottomButton(1, Events::kProfile);
    if (store && !store->Profile().BlogName().isEmpty())
        host.SetBottomButton(-1, kView);
    host.SetTitleButton(3, Events::kGoals);
    host.SetTitleButton(4, Events::kResults);
    host.SetTitleButton(0, Events::kMenu);
    host.SetTitleButton(1, QStringLiteral("title"));
    ContentControl* content = host.SetContent(QStringLiteral("BloggerEditorControl"));
    m_editor = dynamic_cast<BloggerEditor*>(content);
    m_window = m_editor ? content->GetWindow() : nullptr;
    m_visit = NextVisit();
    Refill();
    Watch(&DataNotifier::profileChanged, [this] { Refill(); });
    // The first visit explains the page.
    if (store && !(store->Profile().Flags() & UserProfile::kBlogAccountSeen))
        host.ShowHelp();
}

void BlogAccountPage::Refill()
{
    const UserDatabase* store = Store();
    if (!store || !m_editor || m_applying)
        return;
    const UserProfile& profile = store->Profile();
    m_editor->SetEmail(profile.BlogEmail());
    m_editor->SetPassword(profile.BlogPassword());
    m_editor->SetBlogName(profile.BlogName());
}

void BlogAccountPage::Detach()
{
    if (UserDatabase* store = Store()) {
        Validate(true, true);
        // Bookkeeping, not the user's edit: written with the next commit.
        UserProfile& profile = store->Profile();
        profile.SetFlags(profile.Flags() | UserProfile::kBlogAccountSeen);
    }
    m_editor = nullptr;
    m_window = nullptr;
    PageBase::Detach();
}

BloggerEditor* BlogAccountPage::Editor() const
{
    return m_window ? m_editor : nullptr;
}

int BlogAccountPage::OnEvent(const QString& name, QWidget*)
{
    if (name == Events::kGoals || name == Events::kResults) {
        const UserDatabase* store = Store();
        if (store && store->Profile().IsComplete() && CanLeave(name))
            NavigateTo(name);
        return 1;
    }
    if (name == Events::kProfile) {
        if (CanLeave(name))
            NavigateTo(name);
        return 1;
    }
    if (name == Events::kApplyEdits) {
        Validate(true, false);
        return 1;
    }
    if (name == QLatin1String("test")) {
        TestAccount();
        return 1;
    }
    if (name == QLatin1String("create")) {
        QDesktopServices::openUrl(QUrl(PostProtocol::SignUpUrl()));
        return 1;
    }
    if (name == kView) {
        ViewBlog();
        return 1;
    }
    if (name == QLatin1String("siteChanged")) {
        const BloggerEditor* editor = Editor();
        if (Host())
            Host()->SetBottomButton(-1,
                                    editor && !editor->GetBlogName().isEmpty() ? kView : QString());
        return 1;
    }
    return HandleCommonEvent(name);
}

bool BlogAccountPage::Validate(bool store, bool show)
{
    UserDatabase* database = Store();
    UserEdits* edits = Edits();
    const BloggerEditor* editor = Editor();
    if (!database || !edits || !editor)
        return false;
    const QString blogName = editor->GetBlogName();
    const QString email = editor->GetEmail();
    const QString password = editor->GetPassword();
    const BlogAccountCheck::Result check = BlogAccountCheck::Check(blogName, email, password);
    UserProfile profile = database->Profile();
    if (store) {
        profile.SetBlogName(BlogAccountCheck::CleanBlogName(blogName));
        profile.SetBlogEmail(BlogAccountCheck::CleanEmail(email));
        profile.SetBlogPassword(password);
    }
    const int flags = profile.Flags();
    profile.SetFlags(check.ok ? flags | UserProfile::kJournalFlag
                              : flags & ~UserProfile::kJournalFlag);
    m_applying = true;
    edits->Push(
        new ChangeProfileCommand(*edits, profile, QStringLiteral("Change Blog Account"), m_visit));
    m_applying = false;
    if (!check.ok && show && Host())
        Host()->ShowMessage(QStringLiteral("Formats Error"), check.message);
    return check.ok;
}

void BlogAccountPage::TestAccount()
{
    const BloggerEditor* editor = Editor();
    if (!editor || !Host() || !Validate(false, true))
        return;
    const QString credentials = PostProtocol::JoinCredentials(
        PostProtocol::BlogAddress(BlogAccountCheck::CleanBlogName(editor->GetBlogName())),
        BlogAccountCheck::CleanEmail(editor->GetEmail()), editor->GetPassword());
    const PostRequest request(credentials);
    if (BlogPosting::Run(GetSession(), *Host(), request, PostProtocol::TestUrl()) ==
        BlogPosting::Outcome::Accepted)
        Host()->ShowMessage(kCaption, QStringLiteral("Data verified"));
}

void BlogAccountPage::ViewBlog()
{
    const BloggerEditor* editor = Editor();
    if (!editor)
        return;
    // Built from the cleaned name and opened only when that is one host label: whatever is
    // typed cannot point the browser at another scheme, host or path.
    const QUrl url = BlogAccountCheck::BlogUrl(editor->GetBlogName(), PostProtocol::BlogDomain());
    if (!url.isValid()) {
        if (Host())
            Host()->ShowMessage(QStringLiteral("Formats Error"),
                                BlogAccountCheck::BlogNameMessage());
        return;
    }
    QDesktopServices::openUrl(url);
}
