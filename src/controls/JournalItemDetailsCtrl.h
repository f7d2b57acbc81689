#pragma once

#include "controls/JournalItemDetails.h"
#include "vocabulary/ContentControl.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// One journal entry being edited ("JournalItemDetailsControl"): a "Subject" label and field,
// and the body below. Every edit of either field raises "dataChanged".
class JournalItemDetailsCtrl final : public QWidget,
                                     public ContentControl,
                                     public JournalItemDetails
{
    Q_OBJECT

public:
    static const QString kName;

    explicit JournalItemDetailsCtrl(QWidget* parent = nullptr);
    ~JournalItemDetailsCtrl() override;

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // JournalItemDetails
    QString GetName() const override { return kName; }
    QString GetSubject() const override;
    void SetSubject(const QString& text) override;
    QString GetBody() const override;
    void SetBody(const QString& text) override;

    QLabel* Label() const { return m_label; }
    QLineEdit* SubjectField() const { return m_subject; }
    QPlainTextEdit* BodyField() const { return m_body; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void RaiseDataChanged();

    EventListener* m_listener = nullptr;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLabel* m_label = nullptr;
};
