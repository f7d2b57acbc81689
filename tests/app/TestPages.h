#pragma once

#include "data/UserProfile.h"
#include "pages/PageBase.h"
#include "skin/DialogServices.h"
#include "vocabulary/PageHost.h"

#include <QStringList>

#include <vector>

// A host that records what pages ask of it.
class RecordingHost final : public PageHost
{
public:
    void SetSection(const QString&) override {}
    void SetBottomButton(int, const QString&) override {}
    ContentControl* SetContent(const QString&) override { return nullptr; }
    void SetTitleButton(int, const QString&) override {}
    void SetDate(TimeBase::Stamp date) override { date_ = date; }
    TimeBase::Stamp GetDate() const override { return date_; }
    void SetPage(Page* page) override { pages.push_back(page); }
    int RunSubPage(Page*) override { return 1; }
    void Close() override { ++closes; }
    void ShowMessage(const QString&, const QString&) override {}
    void ShowHelp() override {}
    void AddMenuCommand(const QString& text, const QString&) override { menuCommands << text; }

    TimeBase::Stamp date_ = 0;
    std::vector<Page*> pages;
    QStringList menuCommands;
    int closes = 0;
};

class TestPage : public PageBase
{
public:
    using PageBase::PageBase;
    bool CanLeave(const QString&) override { return leavable; }
    bool leavable = true;
};

// Dialog services that block on nothing and remember what they were asked.
class RecordingDialogs final : public DialogServices
{
public:
    bool RunPreferences(QWidget*) override { return ++preferences, acceptPreferences; }
    void ShowHelp(QWidget*, int topic) override { helpTopics.push_back(topic); }
    void ShowAbout(QWidget*) override { ++abouts; }
    void ShowMessage(QWidget*, const QString& caption, const QString& text) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }

    bool acceptPreferences = false;
    int preferences = 0;
    int abouts = 0;
    std::vector<int> helpTopics;
    QStringList messages;
};

// Fills in everything a profile needs to count as complete.
inline void CompleteProfile(UserProfile& p)
{
    p.SetUserName(QStringLiteral("Ann"));
    p.SetAge(30);
    p.SetHeightFromDisplay(170, true);
    p.SetStartWeight(80, true);
    p.SetGoalWeight(70, true);
}
