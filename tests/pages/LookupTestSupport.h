#pragma once

#include "TestSupport.h"
#include "app/TestPages.h"
#include "controls/ControlsRegistration.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/RecordingListener.h"
#include "data/UserDatabase.h"
#include "dialogs/LayoutBaseDialog.h"
#include "fitness/FitnessViewsRegistration.h"
#include "skin/DeviceScreen.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

using TestSupport::Add;

using Step = std::function<void(LayoutBaseDialog& nested)>;

// The real pages in a real dialog over the reference databases the build made. Sub-pages run
// the scripted steps in their nested dialog instead of a modal loop.
class LookupPagesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        RegisterControlContent();
        RegisterFitnessContent();
    }

    LookupPagesTest()
    {
        DeviceScreen::Instance().SetSize(QSize(240, 320));
        m_store = std::make_unique<UserDatabase>(
            DatabaseFolders{m_dir.path(), {QCoreApplication::applicationDirPath()}});
    }
    ~LookupPagesTest() override
    {
        m_dialog.reset();
        DeviceScreen::Instance().SetSize(DeviceScreen::kDefaultSize);
    }

    // `shown` for typing, which reaches only shown fields.
    void Open(Page& page, bool shown = false)
    {
        m_dialog = std::make_unique<LayoutBaseDialog>(nullptr, &m_services);
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
        m_dialog->SetPage(&page);
        if (shown)
            m_dialog->show();
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

    QTemporaryDir m_dir;
    std::unique_ptr<UserDatabase> m_store;
    RecordingDialogs m_services;
    std::unique_ptr<LayoutBaseDialog> m_dialog;
    std::deque<Step> m_script;
    QStringList m_subPages;
};
