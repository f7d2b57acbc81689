#include "skin/HelpDialog.h"

#include "data/TextIndex.h"
#include "skin/DeviceScreen.h"
#include "skin/HelpIndexDialog.h"
#include "skin/SmallDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

const QString HelpDialog::kMissingText =
    QStringLiteral("This help topic is not available: the help texts (text.pdb) are missing or "
                   "do not hold it.");

HelpDialog::HelpDialog(int topic, const TextIndex* index, QWidget* parent)
    : QDialog(parent), m_topic(topic)
{
    QString title = index ? index->TopicName(topic) : QString();
    QString text = index ? index->TopicText(topic) : QString();
    if (title.isEmpty()) {
        const QStringList entries = HelpIndexDialog::Entries();
        title = topic >= 0 && topic < entries.size() ? entries[topic] : QStringLiteral("Help");
    }
    if (text.trimmed().isEmpty())
        text = kMissingText;
    Build(title, text);
}

HelpDialog::HelpDialog(const QString& title, const QString& text, QWidget* parent) : QDialog(parent)
{
    Build(title, text);
}

void HelpDialog::Build(const QString& title, const QString& text)
{
    setObjectName(QStringLiteral("HelpDialog"));
    setWindowTitle(QStringLiteral("Help"));
    SmallDialog::AddCaption(this);
    m_ok = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("1008"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(title);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setPlainText(SmallDialog::MultiLine(text));
    m_title = new QLabel(title, this);
    m_title->setObjectName(QStringLiteral("1009"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignCenter);
    DeviceScreen::Instance().Apply(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
}

QString HelpDialog::TitleText() const
{
    return m_title->text();
}
QString HelpDialog::BodyText() const
{
    return m_text->toPlainText();
}

void HelpDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    const int titleH = m_title->sizeHint().height();
    m_title->setGeometry(r.left(), r.top() + 5, r.width(), titleH);
    const QSize ok = m_ok->sizeHint();
    const int okTop = r.bottom() + 1 - 5 - ok.height();
    m_ok->setGeometry(r.left() + (r.width() - ok.width()) / 2, okTop, ok.width(), ok.height());
    const int textTop = r.top() + 5 + titleH;
    m_text->setGeometry(r.left(), textTop, r.width(), std::max(0, okTop - 5 - textTop));
}
