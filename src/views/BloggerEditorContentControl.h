#pragma once

#include "controls/RowLayoutContainer.h"
#include "views/BloggerEditor.h"
#include "vocabulary/ContentControl.h"

class BmpButtonImpl;
class QLineEdit;

// The blog account form ("BloggerEditorControl"): blog name with the hosted-blog domain beside
// it, e-mail, password, and the "test" and "create" buttons. Editing the blog name raises
// "siteChanged".
class BloggerEditorContentControl final : public RowLayoutContainer,
                                          public ContentControl,
                                          public BloggerEditor
{
    Q_OBJECT

public:
    static const QString kName;
    static const QString kSiteChanged;

    explicit BloggerEditorContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override;
    QWidget* GetWindow() override { return this; }

    // BloggerEditor
    QString GetName() const override { return kName; }
    QString GetEmail() const override;
    void SetEmail(const QString& email) override;
    QString GetPassword() const override;
    void SetPassword(const QString& password) override;
    QString GetBlogName() const override;
    void SetBlogName(const QString& name) override;

    QLineEdit* BlogNameField() const { return m_blogName; }
    QLineEdit* EmailField() const { return m_email; }
    QLineEdit* PasswordField() const { return m_password; }
    QLabel* DomainLabel() const { return m_domain; }
    BmpButtonImpl* TestButton() const { return m_test; }
    BmpButtonImpl* CreateButton() const { return m_create; }

private:
    QLineEdit* MakeField(int id, const QString& accessibleName);
    BmpButtonImpl* MakeButton(int id, const QString& name, const QString& accessibleName);

    EventListener* m_listener = nullptr;
    QLineEdit* m_blogName = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_domain = nullptr;
    BmpButtonImpl* m_test = nullptr;
    BmpButtonImpl* m_create = nullptr;
};
