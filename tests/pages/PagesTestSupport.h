#pragma once

#include "TestSupport.h"
#include "app/TestPages.h"
#include "blog/LoopbackProxy.h"
#include "commands/UserEdits.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ControlsRegistration.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/RecordingListener.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/BlogPosting.h"
#include "posting/ConnectionStatusDialog.h"
#include "views/BlogViewsRegistration.h"
#include "views/FitnessViewsRegistration.h"
#include "vocabulary/Events.h"
#include "vocabulary/Session.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

using TestSupport::Add;

using Step = std::function<void(LayoutBaseDialog& nested)>;

// The real pages in a page dialog over a store in a temporary folder, with the reference
// databases the build made or without; a loopback posting proxy whose status dialogs are
// answered as soon as the transfer has ended; sub-pages that run the scripted steps in their
// nested dialog instead of a modal loop.
class PagesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        RegisterControlContent();
        RegisterFitnessContent();
        RegisterBlogContent();
    }
    explicit PagesTest(bool references = false) : m_references(references)
    {
        Reopen();
        qputenv("NUTRAVA_PROXY_URL", m_proxy.Url("").toUtf8());
        BlogPosting::SetStatusRunner([this](ConnectionStatusDialog& status) {
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return status.Failed() || status.result() == QDialog::Accepted; }, 10000));
            m_statusTexts << status.StatusText();
            return status.Failed() ? int(QDialog::Rejected) : status.result();
        });
    }
    ~PagesTest() override
    {
        m_dialog.reset();
        m_session.Close();
        BlogPosting::SetStatusRunner(nullptr);
        qunsetenv("NUTRAVA_PROXY_URL");
    }

    // A fresh store in a fresh folder, under a new page dialog.
    void Reopen()
    {
        m_dialog.reset();
        m_session.Close();
        m_dir = std::make_unique<QTemporaryDir>();
        const QString references =
            m_references ? QCoreApplication::applicationDirPath() : m_dir->path();
        m_session.Open(
            std::make_unique<UserDatabase>(DatabaseFolders{m_dir->path(), {references}}));
        m_store = m_session.Store();
        m_edits = m_session.Edits();
        NewDialog(false);
    }
    // A page the fixture keeps until its dialogs are gone, as pages outlive theirs.
    template <class P> P& Keep()
    {
        m_pages.push_back(std::make_unique<P>(m_session));
        return static_cast<P&>(*m_pages.back());
    }
    // The page in a new dialog; `shown` for typing, which reaches only shown fields.
    void Open(Page& page, bool shown = false)
    {
        NewDialog(shown);
        m_dialog->SetPage(&page);
        if (shown)
            m_dialog->show();
    }

    UserProfile& Profile() { return m_store->Profile(); }
    void SetAccount()
    {
        Profile().SetBlogName(QStringLiteral("myblog"));
        Profile().SetBlogEmail(QStringLiteral("joe@example.com"));
        Profile().SetBlogPassword(QStringLiteral("s3cret"));
        Profile().SetFlags(Profile().Flags() | UserProfile::kJournalFlag |
                           UserProfile::kBlogAccountSeen);
    }
    int Event(const QString& name) { return m_dialog->OnEvent(name, nullptr); }
    QString Current() const
    {
        return m_dialog->CurrentPage() ? m_dialog->CurrentPage()->GetName() : QString();
    }
    static bool Attached(LayoutBaseDialog& dialog)
    {
        const auto* page = dynamic_cast<PageBase*>(dialog.CurrentPage());
        return page && page->Host();
    }
    // The name on the bottom button of the slot; empty when hidden or never set.
    static QString BottomButton(LayoutBaseDialog& dialog, int slot)
    {
        const BmpButtonImpl* button = dialog.BottomPanel()->Button(slot);
        return button && !button->isHidden() ? button->Name() : QString();
    }

    static GroupSelectContentControl* List(LayoutBaseDialog& dialog)
    {
        return qobject_cast<GroupSelectContentControl*>(dialog.Content());
    }
    // Chooses a group entry by its text as a user does.
    static void Choose(LayoutBaseDialog& dialog, int group, const QString& text)
    {
        QComboBox* combo = List(dialog)->GroupList(group);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void Pick(LayoutBaseDialog& dialog, const QString& item)
    {
        QListWidget* items = List(dialog)->ItemList();
        const auto found = items->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item.toStdString();
        items->setCurrentItem(found.front());
    }
    // A lookup's step: the groups chosen by their texts, then the item picked and added.
    static Step Adding(const QStringList& groups, const QString& item)
    {
        return [=](LayoutBaseDialog& nested) {
            for (int group = 0; group < groups.size(); ++group)
                Choose(nested, group, groups[group]);
            Pick(nested, item);
            nested.OnEvent(Events::kAdd, nullptr);
        };
    }

    bool m_references;
    std::unique_ptr<QTemporaryDir> m_dir;
    Session m_session;
    UserDatabase* m_store = nullptr;
    UserEdits* m_edits = nullptr;
    LoopbackProxy m_proxy;
    RecordingDialogs m_dialogs;
    QStringList m_statusTexts;
    std::deque<Step> m_script;
    QStringList m_subPages;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::unique_ptr<LayoutBaseDialog> m_dialog;

private:
    void NewDialog(bool shown)
    {
        m_dialog = std::make_unique<LayoutBaseDialog>(nullptr, &m_dialogs, &m_edits->Stack());
        m_dialog->runSubPageDialog = [this, shown](LayoutBaseDialog& nested) {
            m_subPages << nested.CurrentPage()->GetName();
            if (m_script.empty())
                return;
            const Step step = m_script.front();
            m_script.pop_front();
            if (shown)
                nested.show();
            step(nested);
        };
    }
};

// The pages over the reference databases the build made.
class LookupPagesTest : public PagesTest
{
protected:
    LookupPagesTest() : PagesTest(true) {}
};
