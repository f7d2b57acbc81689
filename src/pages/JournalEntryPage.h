#pragma once

#include "data/TimeBase.h"
#include "pages/SubPage.h"

#include <QPointer>

class JournalItemDetails;

// One journal entry being written or edited, run by the journal as a sub-page. It starts from
// the entry's texts and posted flag and hands back the edited ones when it ends accepted.
class JournalEntryPage final : public SubPage
{
public:
    JournalEntryPage(Session& session, TimeBase::Stamp day, bool posted, const QString& subject,
                     const QString& body);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // Whether the caller should store the texts and the flag below.
    bool Accepted() const { return m_accepted; }
    bool Posted() const { return m_posted; }
    QString Subject() const { return m_subject; }
    QString Body() const { return m_body; }

protected:
    void RecordChoice() override;

private:
    JournalItemDetails* Details() const;
    bool Differs() const;
    // Ends accepted with the control's texts; an edit clears the posted flag.
    void Accept(const QString& nextPage = QString(), int code = Chosen);
    void UpdateBlogButton();
    void Post();

    TimeBase::Stamp m_day;
    bool m_posted;
    // As opened, read back through the control so that an untouched entry never counts as
    // changed.
    QString m_openSubject;
    QString m_openBody;
    QString m_subject;
    QString m_body;
    bool m_accepted = false;
    JournalItemDetails* m_details = nullptr;
    QPointer<QWidget> m_window;
};
