#include "views/BloggerEditorContentControl.h"

#include "blog/PostProtocol.h"
#include "controls/BmpButtonImpl.h"
#include "vocabulary/EventListener.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

const QString BloggerEditorContentControl::kName = QStringLiteral("BloggerEditorControl");
const QString BloggerEditorContentControl::kSiteChanged = QStringLiteral("siteChanged");

namespace {

// Row 0 shares its second column between the blog-name field and the domain label on its right.
class BloggerRowLayout final : public RowLayout
{
public:
    BloggerRowLayout(std::vector<Row> rows, QWidget* field, QWidget* domain)
        : RowLayout(QStringLiteral("layout/blogger"), std::move(rows)), m_field(field),
          m_domain(domain)
    {
    }

    void PlaceControl(QWidget* control, const QRect& rect, const QRect& area) override
    {
        if (control != m_field) {
            RowLayout::PlaceControl(control, rect, area);
            return;
        }
        const Lookup lookup = SkinLookup();
        // Wider than the skin's tag when the suffix needs it, as long as the field keeps a third.
        const int tag = std::min(std::max(lookup(QStringLiteral("layout/blogger/siteTagWidth"), 50),
                                          m_domain->sizeHint().width()),
                                 rect.width() * 2 / 3);
        const int spacing = lookup(QStringLiteral("layout/blogger/xRowSpacing"), 2);
        const int fieldWidth = std::max(0, rect.width() - tag - spacing);
        m_field->setGeometry(rect.x(), rect.y(), fieldWidth, rect.height());
        m_domain->setGeometry(rect.x() + rect.width() - tag, rect.y(), tag, rect.height());
    }

private:
    QWidget* m_field;
    QWidget* m_domain;
};

} // namespace

BloggerEditorContentControl::BloggerEditorContentControl(QWidget* parent)
    : RowLayoutContainer(parent)
{
    setObjectName(kName);
    setAccessibleName(QStringLiteral("Blog account"));

    QLabel* nameLabel = MakeStatic(153, QStringLiteral("Blog Name:"));
    m_blogName = MakeField(202, QStringLiteral("Blog name"));
    m_domain = MakeStatic(155, PostProtocol::BlogDomain());
    m_domain->setFocusPolicy(Qt::NoFocus);
    m_domain->setAccessibleName(QStringLiteral("Blog address ends in ") + m_domain->text());
    QLabel* emailLabel = MakeStatic(151, QStringLiteral("E-mail:"));
    m_email = MakeField(200, QStringLiteral("E-mail"));
    QLabel* passwordLabel = MakeStatic(152, QStringLiteral("Password:"));
    m_password = MakeField(201, QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    QLabel* testLabel = MakeStatic(156, QStringLiteral("Test Settings:"));
    m_test = MakeButton(250, QStringLiteral("test"), QStringLiteral("Test settings"));
    QLabel* createLabel = MakeStatic(157, QStringLiteral("New Account:"));
    m_create = MakeButton(251, QStringLiteral("create"), QStringLiteral("Create a new blog"));
    nameLabel->setBuddy(m_blogName);
    emailLabel->setBuddy(m_email);
    passwordLabel->setBuddy(m_password);

    connect(m_blogName, &QLineEdit::textChanged, this, [this] {
        if (m_listener)
            m_listener->OnEvent(kSiteChanged, m_blogName);
    });

    std::vector<RowLayout::Row> rows{{nameLabel, m_blogName},
                                     {emailLabel, m_email},
                                     {passwordLabel, m_password},
                                     {testLabel, m_test},
                                     {createLabel, m_create}};
    SetRowLayout(std::make_unique<BloggerRowLayout>(std::move(rows), m_blogName, m_domain));
}

void BloggerEditorContentControl::SetListener(EventListener* listener)
{
    m_listener = listener;
    m_test->SetListener(listener);
    m_create->SetListener(listener);
}

QLineEdit* BloggerEditorContentControl::MakeField(int id, const QString& accessibleName)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::number(id));
    field->setAccessibleName(accessibleName);
    field->setGeometry(0, 0, 10, 10);
    return field;
}

BmpButtonImpl* BloggerEditorContentControl::MakeButton(int id, const QString& name,
                                                       const QString& accessibleName)
{
    auto* button = new BmpButtonImpl(true, this, id);
    button->SetSection(QStringLiteral("profile"));
    button->SetName(name);
    button->setAccessibleName(accessibleName);
    button->setGeometry(0, 0, 10, 10);
    return button;
}

QString BloggerEditorContentControl::GetEmail() const
{
    return m_email->text();
}

void BloggerEditorContentControl::SetEmail(const QString& email)
{
    m_email->setText(email);
}

QString BloggerEditorContentControl::GetPassword() const
{
    return m_password->text();
}

void BloggerEditorContentControl::SetPassword(const QString& password)
{
    m_password->setText(password);
}

QString BloggerEditorContentControl::GetBlogName() const
{
    return m_blogName->text();
}

void BloggerEditorContentControl::SetBlogName(const QString& name)
{
    m_blogName->setText(name);
}
