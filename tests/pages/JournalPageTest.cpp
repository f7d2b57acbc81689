#include "PagesTestSupport.h"
#include "UserInput.h"

#include "blog/PostProtocol.h"
#include "controls/CustomGrid.h"
#include "controls/Grid.h"
#include "controls/GridListView.h"
#include "controls/JournalItemDetailsCtrl.h"
#include "data/AnsiCodec.h"
#include "data/JournalItem.h"
#include "pages/BlogAccountPage.h"
#include "pages/JournalPage.h"
#include "skin/DeviceScreen.h"
#include "vocabulary/Events.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {

class JournalTest : public PagesTest
{
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        m_store->Settings().SetTipDay(TimeBase::Today()); // today's tip was seen
    }
    JournalItem* AddEntry(const QString& subject, const QString& body, bool posted,
                          TimeBase::Stamp day = TimeBase::Today())
    {
        auto* entry = Add<JournalItem>(m_store->Journal(), day);
        entry->SetSubject(subject);
        entry->SetBody(body);
        entry->SetPosted(posted);
        return entry;
    }
    // The entry page runs this instead of its modal loop.
    void OnEntryPage(std::function<void(LayoutBaseDialog&, JournalItemDetailsCtrl&)> script)
    {
        m_dialog->runSubPageDialog = [script](LayoutBaseDialog& nested) {
            script(nested, *qobject_cast<JournalItemDetailsCtrl*>(nested.Content()));
        };
    }
    QStringList Cells(int column)
    {
        QStringList texts;
        for (int row = 0; row < m_page.GetRowCount(); ++row)
            texts << m_page.GetCellText({row, column});
        return texts;
    }

    JournalPage& m_page = Keep<JournalPage>();
};

TEST_F(JournalTest, ListsTheDaysEntriesWithTheirPostedMark)
{
    AddEntry("Monday", "", true);
    AddEntry("Other day", "", false, TimeBase::Today() - 86400);
    AddEntry("Later", "", false);
    m_dialog->SetPage(&m_page);
    EXPECT_EQ(m_dialogs.messages, QStringList()); // the tip was already shown today
    EXPECT_EQ(QStringList({m_page.GetColumnTitle(0), m_page.GetColumnTitle(1)}),
              QStringList({"Notes", "B"}));
    const int width = dynamic_cast<Grid*>(m_dialog->Content())->GetClientWidth();
    EXPECT_EQ(std::pair(m_page.GetColumnWidth(0), m_page.GetColumnWidth(1)),
              std::pair(width - width / 10, width / 10));
    EXPECT_EQ(Cells(0) + Cells(1), QStringList({"Monday", "Later", "B", " "}));

    m_page.SetCurrentRow(1);
    Event(Events::kDelete);
    EXPECT_EQ(std::tuple(Cells(0), m_page.GetSelectedRow(), m_store->Journal().Count()),
              std::tuple(QStringList({"Monday"}), 0, 2));

    m_dialog->SetPage(nullptr);
    m_store->Settings().SetTipDay(0); // a new day; this store has no tips database
    m_dialog->SetPage(&m_page);
    EXPECT_EQ(m_dialogs.messages, QStringList({"Daily Tip: Install tips database"}));
}

// The posted mark's column is a tenth of the list, too narrow for the header's own minimum: it
// still fits beside the notes, with no scroll bar across, at every screen size.
TEST_F(JournalTest, PostedColumnFitsBesideTheNotes)
{
    AddEntry("A subject far longer than the notes column of any screen", "", true);
    for (const QSize size : {QSize(240, 320), QSize(320, 240), QSize(480, 640)}) {
        DeviceScreen::Instance().SetSize(size);
        LayoutBaseDialog dialog(nullptr, &m_dialogs, &m_edits->Stack());
        dialog.SetPage(&m_page);
        dialog.show();
        QCoreApplication::processEvents();
        const GridListView* list = dynamic_cast<CustomGrid*>(dialog.Content())->List();
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << size.width();
        EXPECT_EQ(list->horizontalHeader()->sectionSize(1), m_page.GetColumnWidth(1));
        dialog.SetPage(nullptr);
    }
}

// Clicks and keys as a user's reach the window: the body takes the focus from a click and from
// Tab out of the subject, Return breaks its line, Tab leaves it untyped. "done" keeps the entry
// once it has a subject (its saving is the edits').
TEST_F(JournalTest, NewEntryTypedWithClicksAndTabIsKeptWhenDone)
{
    OnEntryPage([](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        using namespace UserInput;
        Activate(nested);
        nested.OnEvent(Events::kDone, nullptr); // no subject: stays
        EXPECT_TRUE(Attached(nested));
        QPlainTextEdit* body = details.BodyField();
        Type(nested, "Run");
        Press(nested, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), body);
        Type(nested, "5 km");
        Press(nested, Qt::Key_Return);
        Type(nested, "easy");
        Press(nested, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), body);
        Tap(nested, details.SubjectField());
        Tap(nested, body);
        EXPECT_EQ(QApplication::focusWidget(), body);
        Press(nested, Qt::Key_End, Qt::ControlModifier);
        Type(nested, "!");
        Tap(nested, nested.BottomPanel()->Button(0)); // done
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kAdd);
    EXPECT_EQ(Cells(0), QStringList({"Run"}));
    ASSERT_EQ(m_store->Journal().Count(), 1);
    const JournalItem* entry = m_store->Journal().ItemAt<JournalItem>(0);
    EXPECT_EQ(std::pair(entry->Subject(), entry->Body()),
              std::pair(QString("Run"), QString("5 km\r\neasy!")));
}

// The navigation bar leaves the entry page and the journal; what was typed is kept.
TEST_F(JournalTest, LeavingTheEntryPageThroughNavigationKeepsTheEntry)
{
    TestPage food(m_session, Events::kGoFood, 8);
    OnEntryPage([](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        details.SetSubject(QStringLiteral("Half typed"));
        nested.OnEvent(Events::kGoFood, nullptr);
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kAdd);
    EXPECT_EQ(m_dialog->CurrentPage(), &food);
    ASSERT_EQ(m_store->Journal().Count(), 1);
    EXPECT_EQ(m_store->Journal().ItemAt<JournalItem>(0)->Subject(), "Half typed");
    m_dialog->SetPage(nullptr);
}

TEST_F(JournalTest, BlogButtonFollowsChangesAndAnEditClearsThePostedMark)
{
    AddEntry("Posted", "body", true);
    OnEntryPage([this](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        EXPECT_EQ(BottomButton(nested, -1), QString());
        details.SetSubject(QStringLiteral("Posted!"));
        EXPECT_EQ(BottomButton(nested, -1), "blog");
        details.SetSubject(QStringLiteral("Posted"));
        EXPECT_EQ(BottomButton(nested, -1), QString());
        details.SetBody(QStringLiteral("body, edited"));
        nested.OnEvent(Events::kDone, nullptr);
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kEdit);
    EXPECT_EQ(Cells(1), QStringList({" "}));
    EXPECT_EQ(m_store->Journal().ItemAt<JournalItem>(0)->Body(), "body, edited");
}

TEST_F(JournalTest, PostedEntryIsMarkedAndTheProxyGotItsTexts)
{
    SetAccount();
    Profile().SetUserName(QStringLiteral("Zoë"));
    OnEntryPage([](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        details.SetSubject(QStringLiteral("Café"));
        details.SetBody(QStringLiteral("Paid 3 €\r\nfor it"));
        nested.OnEvent(Events::kBlog, nullptr);
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kAdd);
    EXPECT_EQ(Cells(1), QStringList({"B"}));

    ASSERT_EQ(m_proxy.requests.size(), 1);
    const LoopbackProxy::Request& request = m_proxy.requests[0];
    const QByteArray nul(1, '\0');
    EXPECT_EQ(request.body, QByteArray("Caf\xE9") + nul + "Paid 3 \x80\r\nfor it" + nul +
                                AnsiCodec::Encode(QStringLiteral("Zoë")) + nul);
    EXPECT_EQ(PostProtocol::DecodeAuth(QString::fromLatin1(request.Header("Auth")),
                                       PostProtocol::ScrambleKey()),
              "myblog" + PostProtocol::BlogDomain().toLatin1() + " joe@example.com s3cret");
}

TEST_F(JournalTest, RefusedPostLeavesTheEntryAsItWas)
{
    SetAccount();
    m_proxy.SetAnswer("500 The blog refused the post");
    AddEntry("Draft", "old", false);
    OnEntryPage([](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        details.SetBody(QStringLiteral("new"));
        nested.OnEvent(Events::kBlog, nullptr);
        EXPECT_TRUE(Attached(nested));
        nested.OnEvent(Events::kCancel, nullptr);
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kGridActivate);
    EXPECT_EQ(m_statusTexts, QStringList({"Connection Error:\r\nThe blog refused the post"}));
    const JournalItem* entry = m_store->Journal().ItemAt<JournalItem>(0);
    EXPECT_FALSE(entry->Posted());
    EXPECT_EQ(entry->Body(), "old");
}

TEST_F(JournalTest, PostingWithoutAnAccountKeepsTheEntryAndOpensTheAccountPage)
{
    BlogAccountPage account(m_session);
    OnEntryPage([](LayoutBaseDialog& nested, JournalItemDetailsCtrl& details) {
        details.SetSubject(QStringLiteral("Typed"));
        nested.OnEvent(Events::kBlog, nullptr);
    });
    m_dialog->SetPage(&m_page);
    Event(Events::kAdd);
    EXPECT_EQ(m_dialogs.messages,
              QStringList({"Blog data: Fill blogging profile in order to use blogging"}));
    EXPECT_EQ(m_dialog->CurrentPage(), &account);
    ASSERT_EQ(m_store->Journal().Count(), 1);
    EXPECT_EQ(m_store->Journal().ItemAt<JournalItem>(0)->Subject(), "Typed");
    EXPECT_TRUE(m_proxy.requests.isEmpty());
    m_dialog->SetPage(nullptr);
}

} // namespace
