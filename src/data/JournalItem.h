#pragma once

#include "data/Item.h"

#include <QString>

class JournalItem final : public Item
{
public:
    explicit JournalItem(TimeBase::Stamp day) : Item(JournalKind, day) {}

    bool Posted() const { return m_posted; }
    void SetPosted(bool posted) { m_posted = posted; }
    QString Subject() const { return m_subject; }
    void SetSubject(const QString& subject) { m_subject = subject; }
    QString Body() const { return m_body; }
    void SetBody(const QString& body) { m_body = body; }

protected:
    void LoadFields(RecordStream& stream) override;
    void SaveFields(RecordStream& stream) const override;

private:
    bool m_posted = false;
    QString m_subject;
    QString m_body;
};
