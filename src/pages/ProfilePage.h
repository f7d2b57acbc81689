#pragma once

#include "pages/PageBase.h"

class ProfileEditor;
class UserProfile;

// "profile": the user's profile in the profile editor, in the units the preferences choose.
// What is typed becomes one edit of the profile per visit, made whenever the page is left or
// the menu undoes, redoes or changes preferences. Until the blog account page has been seen once,
// every way on from here except "goHome" and "done" leads there first.
class ProfilePage final : public PageBase
{
public:
    explicit ProfilePage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    ProfileEditor* Editor() const { return m_editor; }

private:
    // The numbers the editor showed when it was last filled or read: a field still showing its
    // number was not edited since, and reading it again must not round the stored value to the
    // shown unit.
    struct Shown
    {
        bool metric = false;
        float height = 0;
        float startWeight = 0;
        float goalWeight = 0;
    };

    void FillEditor(const UserProfile& profile, bool metric);
    // The profile as stored, in the editor (not while the page makes its own edit).
    void Refill();
    // Makes the editor's values an edit; `keepTracked` keeps the stored tracked nutrient.
    void ApplyEditor(bool keepTracked);
    void ReadEditor(UserProfile& profile);
    // Goes on as `eventName` asks, or to the blog account page while it has not been seen.
    void GoOn(const UserProfile& profile, const QString& eventName);

    ProfileEditor* m_editor = nullptr;
    Shown m_shown;
    int m_visit = 0;
    bool m_applying = false;
};
