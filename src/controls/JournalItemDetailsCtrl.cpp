#include "controls/JournalItemDetailsCtrl.h"

#include "controls/WhiteBackground.h"
#include "skin/SkinSettings.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

const QString JournalItemDetailsCtrl::kName = QStringLiteral("JournalItemDetailsControl");

JournalItemDetailsCtrl::JournalItemDetailsCtrl(QWidget* parent) : QWidget(parent)
{
    setObjectName(kName);
    SetWhiteBackground(this);

    m_label = new QLabel(QStringLiteral("Subject"), this);
    m_label->setObjectName(QStringLiteral("102"));
    m_label->setGeometry(0, 0, 10, 10);
    m_subject = new QLineEdit(this);
    m_subject->setObjectName(QStringLiteral("100"));
    m_subject->setAccessibleName(QStringLiteral("Subject"));
    m_subject->setGeometry(0, 0, 10, 10);
    m_body = new QPlainTextEdit(this);
    m_body->setObjectName(QStringLiteral("101"));
    m_body->setAccessibleName(QStringLiteral("Journal entry"));
    m_body->setGeometry(0, 0, 10, 10);
    m_body->setTabChangesFocus(true);
    m_body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_body->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    connect(m_subject, &QLineEdit::textChanged, this, &JournalItemDetailsCtrl::RaiseDataChanged);
    connect(m_body, &QPlainTextEdit::textChanged, this, &JournalItemDetailsCtrl::RaiseDataChanged);
}

JournalItemDetailsCtrl::~JournalItemDetailsCtrl()
{
    m_listener = nullptr;
    m_subject->disconnect(this);
    m_body->disconnect(this);
}

QString JournalItemDetailsCtrl::GetSubject() const
{
    return m_subject->text();
}

void JournalItemDetailsCtrl::SetSubject(const QString& text)
{
    m_subject->setText(text);
}

QString JournalItemDetailsCtrl::GetBody() const
{
    QString text = m_body->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void JournalItemDetailsCtrl::SetBody(const QString& text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_body->setPlainText(plain);
}

void JournalItemDetailsCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SkinSettings& skin = SkinSettings::Instance();
    const QRect client = rect();
    QRect label(0, 0, 10, 10);
    QRect title(0, 0, 10, 10);
    skin.GetRect(u"layout/journal/details/static", label);
    skin.GetRect(u"layout/journal/details/title", title);
    label.translate(client.topLeft());
    title.translate(client.topLeft());

    m_label->setGeometry(label);
    const int right = client.x() + client.width();
    m_subject->setGeometry(title.x(), title.y(), std::max(0, right - title.x()), title.height());
    // Below whichever of the two reaches lower (bottoms exclusive), with a pixel between.
    const int bodyTop =
        client.y() +
        std::max(label.y() + label.height() - client.y(), title.y() + title.height() - client.y()) +
        1;
    m_body->setGeometry(client.x(), bodyTop, client.width(),
                        std::max(0, client.y() + client.height() - bodyTop));
}

void JournalItemDetailsCtrl::RaiseDataChanged()
{
    if (m_listener)
        m_listener->OnEvent(Events::kDataChanged, nullptr);
}
