#include "PagesTestSupport.h"

#include "blog/PostProtocol.h"
#include "controls/StaticText.h"
#include "pages/BlogAccountPage.h"
#include "views/BloggerEditorContentControl.h"
#include "vocabulary/Events.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>

namespace {

// Stands in for the desktop's browser.
class Browser final : public QObject
{
    Q_OBJECT

public:
    Browser()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
    }
    ~Browser() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QStringList opened;

public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

class BlogAccountTest : public PagesTest
{
protected:
    BloggerEditorContentControl* Editor() const
    {
        return qobject_cast<BloggerEditorContentControl*>(m_dialog->Content());
    }
    void Type(const QString& blogName, const QString& email, const QString& password)
    {
        Editor()->BlogNameField()->setText(blogName);
        Editor()->EmailField()->setText(email);
        Editor()->PasswordField()->setText(password);
    }

    Browser m_browser;
    BlogAccountPage& m_page = Keep<BlogAccountPage>();
};

TEST_F(BlogAccountTest, LeavingStoresTheCleanedFieldsAndTheirCheck)
{
    m_dialog->SetPage(&m_page);
    EXPECT_EQ(m_dialogs.helpTopics, std::vector<int>({11})); // the first visit explains
    EXPECT_EQ(BottomButton(*m_dialog, -1), QString());
    Type(" http://MyBlog/", " joe@example.com ", " ");
    EXPECT_EQ(BottomButton(*m_dialog, -1), "view");
    m_dialog->SetPage(nullptr);
    EXPECT_EQ(QStringList({Profile().BlogName(), Profile().BlogEmail(), Profile().BlogPassword()}),
              Names({"myblog", "joe@example.com", " "}));
    EXPECT_EQ(Profile().Flags(), UserProfile::kBlogAccountSeen | UserProfile::kJournalFlag);
    EXPECT_EQ(m_dialogs.messages, QStringList());

    m_dialog->SetPage(&m_page);
    EXPECT_EQ(std::tuple(m_dialogs.helpTopics.size(), Editor()->BlogNameField()->text(),
                         BottomButton(*m_dialog, -1)),
              std::tuple(1u, QString("myblog"), QString("view")));
    Type("", "", "");
    EXPECT_EQ(BottomButton(*m_dialog, -1), QString());
    m_dialog->SetPage(nullptr);
    EXPECT_EQ(m_dialogs.messages,
              QStringList({"Formats Error: Use correct formats:\r\nUse simple blog name, like "
                           "\"myblog\"\r\nEnter e-mail, registred in your blog\r\nPassword "
                           "should not be empty"}));
    EXPECT_EQ(Profile().Flags(), UserProfile::kBlogAccountSeen);
    m_dialog->SetPage(&m_page);
    EXPECT_EQ(BottomButton(*m_dialog, -1), QString());
}

TEST_F(BlogAccountTest, TestSendsTheTypedAccountAndStoresNothing)
{
    m_dialog->SetPage(&m_page);
    Type("myblog.example", "joe@example.com", "pw");
    Event(QStringLiteral("test")); // badly formed: nothing sent
    EXPECT_TRUE(m_proxy.requests.isEmpty());

    Type("MyBlog", "joe@example.com ", "pw");
    Event(QStringLiteral("test"));
    ASSERT_EQ(m_proxy.requests.size(), 1);
    const LoopbackProxy::Request& request = m_proxy.requests[0];
    EXPECT_TRUE(request.head.startsWith("POST /test ") && request.body.isEmpty());
    EXPECT_EQ(PostProtocol::DecodeAuth(QString::fromLatin1(request.Header("Auth")),
                                       PostProtocol::ScrambleKey()),
              "myblog" + PostProtocol::BlogDomain().toLatin1() + " joe@example.com pw");
    EXPECT_EQ(m_dialogs.messages.last(), "Blogger: Data verified");
    EXPECT_EQ(std::pair(Profile().Flags() & UserProfile::kJournalFlag, Profile().BlogName()),
              std::pair(UserProfile::kJournalFlag, QString()));
}

TEST_F(BlogAccountTest, BrowserOpensOnlyTheSignUpPageOrTheUsersOwnBlog)
{
    m_dialog->SetPage(&m_page);
    Event(QStringLiteral("create"));
    Editor()->BlogNameField()->setText(QStringLiteral("http://evil.example/x?"));
    Event(QStringLiteral("view"));
    Editor()->BlogNameField()->setText(QStringLiteral(" MyBlog/"));
    Event(QStringLiteral("view"));
    EXPECT_EQ(m_browser.opened, QStringList({PostProtocol::SignUpUrl(),
                                             "http://myblog" + PostProtocol::BlogDomain()}));
    EXPECT_EQ(m_dialogs.messages,
              QStringList({"Formats Error: Use correct formats:\r\nUse simple blog name, like "
                           "\"myblog\""}));
}

// Its controls' names are AccessibleTreeTest's.
TEST_F(BlogAccountTest, FormIsLaidOut)
{
    m_dialog->SetPage(&m_page);
    BloggerEditorContentControl* editor = Editor();
    EXPECT_EQ(editor->DomainLabel()->text(), PostProtocol::BlogDomain());
    // The domain sits right of the blog name, in the row's last siteTagWidth pixels or as many
    // as it needs to show whole.
    const QRect field = editor->BlogNameField()->geometry();
    const QRect domain = editor->DomainLabel()->geometry();
    EXPECT_EQ(std::pair(domain.left() - (field.right() + 1), domain.top()),
              std::pair(2, field.top()));
    EXPECT_GE(domain.width(), 80);
    EXPECT_FALSE(qobject_cast<StaticText*>(editor->DomainLabel())->IsCut());
    EXPECT_EQ(editor->PasswordField()->echoMode(), QLineEdit::Password);
}

} // namespace

#include "BlogAccountPageTest.moc"
