#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// A report to read before a change is made: a heading that asks ("Add 120 weights?"), the
// report below it as plain text that scrolls, and the change's button beside Cancel. With no
// change to make, OK alone closes it.
class ReportDialog final : public QDialog
{
    Q_OBJECT

public:
    // `change` names the button that accepts ("Import"); empty for OK alone.
    ReportDialog(const QString& caption, const QString& heading, const QString& report,
                 const QString& change, QWidget* parent = nullptr);

    QLabel* Heading() const { return m_heading; }
    QPlainTextEdit* Report() const { return m_report; }
    QPushButton* AcceptButton() const { return m_accept; }
    // Null with OK alone.
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_heading = nullptr;
    QPlainTextEdit* m_report = nullptr;
    QPushButton* m_accept = nullptr;
    QPushButton* m_cancel = nullptr;
};
