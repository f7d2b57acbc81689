#pragma once

#include "TestSupport.h"
#include "app/TestPages.h"
#include "blog/BlogViewsRegistration.h"
#include "blog/ConnectionStatusDialog.h"
#include "blog/LoopbackProxy.h"
#include "controls/BmpButtonImpl.h"
#include "controls/BottomButtonsContainer.h"
#include "controls/ControlsRegistration.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "pages/BlogPosting.h"
#include "skin/DeviceScreen.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using TestSupport::Add;

// Calories straight from the items: a food's calories are its food id, read as signed, an
// exercise's its exercise id.
class IdValues final : public DayValueSource
{
public:
    std::int32_t ExerciseCalories(const FitnessItem& item) const override
    {
        return std::int32_t(item.ExerciseId());
    }
    std::int32_t FoodValue(const FoodItem& item, int) const override
    {
        return std::int32_t(item.FoodId());
    }
};

// A store in a temporary folder, a loopback posting proxy, and a page dialog whose status
// dialogs are answered as soon as the transfer has ended.
class PagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        RegisterControlContent();
        RegisterBlogContent();
        m_store = std::make_unique<UserDatabase>(DatabaseFolders{m_dir.path(), {m_dir.path()}});
        qputenv("NUTRAVA_PROXY_URL", m_proxy.Url("").toUtf8());
        BlogPosting::SetStatusRunner([this](ConnectionStatusDialog& status) {
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return status.Failed() || status.result() == QDialog::Accepted; }, 10000));
            m_statusTexts << status.StatusText();
            return status.Failed() ? int(QDialog::Rejected) : status.result();
        });
        m_dialog = std::make_unique<LayoutBaseDialog>(nullptr, &m_dialogs);
    }
    void TearDown() override
    {
        m_dialog.reset();
        BlogPosting::SetStatusRunner(nullptr);
        qunsetenv("NUTRAVA_PROXY_URL");
        DeviceScreen::Instance().SetSize(DeviceScreen::kDefaultSize);
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
    static bool Attached(LayoutBaseDialog& dialog)
    {
        const auto* page = dynamic_cast<PageBase*>(dialog.CurrentPage());
        return page && page->Host();
    }
    // The name on the bottom button of the slot; empty when hidden or never set.
    QString BottomButton(LayoutBaseDialog& dialog, int slot) const
    {
        const BmpButtonImpl* button = dialog.BottomPanel()->Button(slot);
        return button && !button->isHidden() ? button->Name() : QString();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<UserDatabase> m_store;
    LoopbackProxy m_proxy;
    RecordingDialogs m_dialogs;
    QStringList m_statusTexts;
    std::unique_ptr<LayoutBaseDialog> m_dialog;
};
