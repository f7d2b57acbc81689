#include "app/DisclamerDialog.h"

#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

DisclamerDialog::DisclamerDialog(const QString& text, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DisclamerDialog"));
    setWindowTitle(QStringLiteral("Disclamer"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("1008"));
    m_text->setReadOnly(true);
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
    const QRect r = rect();
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
