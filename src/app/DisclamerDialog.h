#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Shown at the first start: the disclaimer text, "Yes" to go on, "No" to end the program.
class DisclamerDialog final : public QDialog
{
    Q_OBJECT

public:
    DisclamerDialog(const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_agree = nullptr;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
};
