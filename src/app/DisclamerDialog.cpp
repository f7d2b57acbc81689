#include "app/DisclamerDialog.h"

#include "data/TextIndex.h"
#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
constexpr int kTopicDisclaimer = 10;

// The help source the text database is built from: a title line, then the text.
QString BuiltInDisclaimer()
{
    QFile file(QStringLiteral(":/text/disclaimer.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString source = QString::fromUtf8(file.readAll());
    const qsizetype end = source.indexOf(u'\n');
    return end < 0 ? QString() : source.mid(end + 1).trimmed();
}
} // namespace

QString DisclamerDialog::DisclaimerText(const TextIndex* texts)
{
    const QString stored = texts ? texts->TopicText(kTopicDisclaimer) : QString();
    if (!stored.trimmed().isEmpty())
        return stored;
    Q_INIT_RESOURCE(texts);
    return BuiltInDisclaimer();
}

DisclamerDialog::DisclamerDialog(const QString& text, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DisclamerDialog"));
    setWindowTitle(QStringLiteral("Disclamer"));
    SmallDialog::AddCaption(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("1008"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(QStringLiteral("Disclaimer"));
    m_text->setPlainText(SmallDialog::MultiLine(text));
    m_agree = new QLabel(QStringLiteral("I Agree"), this);
    m_agree->setObjectName(QStringLiteral("1007"));
    m_yes = SmallDialog::Button(this, QStringLiteral("Yes"), 1, QDialog::Accepted);
    m_no = SmallDialog::Button(this, QStringLiteral("No"), 2, QDialog::Rejected);
    DeviceScreen::Instance().Apply(this);
}

QString DisclamerDialog::Text() const
{
    return m_text->toPlainText();
}

void DisclamerDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    constexpr int gap = 3;
    const QRect r = SmallDialog::CaptionedClient(this);
    const QSize no = m_no->sizeHint();
    const QSize yes = m_yes->sizeHint();
    const int rowTop = r.bottom() + 1 - gap - no.height();
    m_no->setGeometry(r.right() + 1 - gap - no.width(), rowTop, no.width(), no.height());
    m_yes->setGeometry(m_no->x() - gap - yes.width(), rowTop, yes.width(), no.height());
    const QSize agree = m_agree->sizeHint();
    m_agree->setGeometry(m_yes->x() - gap - agree.width(),
                         rowTop + (no.height() - agree.height()) / 2, agree.width(),
                         agree.height());
    m_text->setGeometry(r.left() + gap, r.top() + gap, r.width() - 2 * gap,
                        std::max(0, rowTop - gap - (r.top() + gap)));
}
