#pragma once

#include <QDialog>

class QLabel;
class TextIndex;
class QPlainTextEdit;
class QPushButton;

// One help topic: its title above, its text below, "OK" at the bottom.
class HelpDialog final : public QDialog
{
    Q_OBJECT

public:
    // Title and text come from the text database (may be null); a topic it does not hold keeps
    // the index's title and says that its text is missing.
    HelpDialog(int topic, const TextIndex* texts, QWidget* parent);
    HelpDialog(const QString& title, const QString& text, QWidget* parent);

    static const QString kMissingText;

    int Topic() const { return m_topic; }
    QString TitleText() const;
    QString BodyText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Build(const QString& title, const QString& text);

    int m_topic = -1;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_ok = nullptr;
};
