#pragma once

#include "pages/PageBase.h"

// A page run by another page through PageHost::RunSubPage; it ends with a result the caller
// reads after the nested dialog closes.
class SubPage : public PageBase
{
public:
    enum Result
    {
        Chosen = 0,    // a choice was made
        Closed = 1,    // cancelled, or closed with "done"
        Navigated = 2, // left through navigation; ResultText names the event
    };

    SubPage(Session& session, const QString& name, int helpTopic);

    // Every run starts undecided: closed unless something ends it otherwise.
    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

    int ResultCode() const { return m_resultCode; }
    QString ResultText() const { return m_resultText; }

protected:
    // Navigation ends the page with Navigated; "dialogApplied" records the choice and stays.
    int HandleSubPageEvent(const QString& name);
    // Stores the result (recording the choice first for Chosen) and closes the host.
    void EndWith(int code, const QString& text = QString());
    // Pages with a choice remember it here; only called when HasChoice() is true.
    virtual void RecordChoice() {}
    // False when there is nothing to choose (an empty list, no selection): "dialogApplied"
    // then ends the page as closed instead of chosen.
    virtual bool HasChoice() const { return true; }

private:
    int m_resultCode = Closed;
    QString m_resultText;
};
