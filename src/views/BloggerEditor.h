#pragma once

#include <QString>

// What the blog account page gets back from SetContent("BloggerEditorControl"). The getters
// return the fields exactly as typed.
class BloggerEditor
{
public:
    virtual QString GetName() const = 0;
    virtual QString GetEmail() const = 0;
    virtual void SetEmail(const QString& email) = 0;
    virtual QString GetPassword() const = 0;
    virtual void SetPassword(const QString& password) = 0;
    virtual QString GetBlogName() const = 0;
    virtual void SetBlogName(const QString& name) = 0;

protected:
    ~BloggerEditor() = default;
};
