#pragma once

#include <QDialog>

class QLabel;
class TextIndex;
class QPlainTextEdit;
class QPushButton;

// Shown at the first start: the disclaimer text, "Yes" to go on, "No" to end the program.
class DisclamerDialog final : public QDialog
{
    Q_OBJECT

public:
    DisclamerDialog(const QString& text, QWidget* parent = nullptr);

    // The disclaimer topic of the text database, or the copy built into the program when the
    // database is missing or lacks it: nobody is asked to agree to an empty box.
    static QString DisclaimerText(const TextIndex* texts);

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
