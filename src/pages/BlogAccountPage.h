#pragma once

#include "pages/PageBase.h"

#include <QPointer>

class BloggerEditor;

// The blog account ("blogger"): blog name, e-mail and password, checked for form, tested
// against the posting proxy, and the sign-up page or the blog opened in the browser. Kept in
// the profile whenever the page is left.
class BlogAccountPage final : public PageBase
{
public:
    explicit BlogAccountPage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // Whether the fields are well-formed; sets the profile's account flag to match. With
    // `store` the cleaned fields go into the profile, with `show` a problem is shown. The
    // changes of one visit are one edit.
    bool Validate(bool store, bool show);

private:
    BloggerEditor* Editor() const;
    // The account as stored, in the editor (not while the page makes its own edit).
    void Refill();
    void TestAccount();
    void ViewBlog();

    BloggerEditor* m_editor = nullptr;
    QPointer<QWidget> m_window;
    int m_visit = 0;
    bool m_applying = false;
};
