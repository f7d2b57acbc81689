#include "skin/HelpIndexDialog.h"

#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

HelpIndexDialog::HelpIndexDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpIndexDialog"));
    setWindowTitle(QStringLiteral("Help Index"));
    SmallDialog::AddCaption(this);
    m_done = SmallDialog::Button(this, QStringLiteral("Done"), 1, QDialog::Accepted);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("1003"));
    m_list->addItems(Entries());
    m_list->setAccessibleName(QStringLiteral("Help topics"));
    // The list moves its selection first; the topic opens after, outside the press.
    connect(m_list, &QListWidget::pressed, this, &HelpIndexDialog::OpenLater);
    // Return on an entry opens it; the dialog must not take it as "Done".
    m_list->installEventFilter(this);
    DeviceScreen::Instance().Apply(this);
}

void HelpIndexDialog::OpenLater()
{
    QTimer::singleShot(0, this, [this] {
        if (m_list->currentRow() >= 0 && showTopic)
            showTopic(m_list->currentRow(), this);
    });
}

bool HelpIndexDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_list->currentRow() >= 0) {
            OpenLater();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QStringList HelpIndexDialog::Entries()
{
    return {QStringLiteral("Getting Started"),    QStringLiteral("Main Interface Help"),
            QStringLiteral("Daily Chart Help"),   QStringLiteral("Profile Help"),
            QStringLiteral("Results Help"),       QStringLiteral("Goals Help"),
            QStringLiteral("Daily Journal Help"), QStringLiteral("Fitness Log Help"),
            QStringLiteral("Food Log Help"),      QStringLiteral("Look-up Help"),
            QStringLiteral("Disclaimer")};
}

void HelpIndexDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    const QSize done = m_done->sizeHint();
    const int doneTop = r.bottom() + 1 - 5 - done.height();
    m_done->setGeometry(r.left() + (r.width() - done.width()) / 2, doneTop, done.width(),
                        done.height());
    m_list->setGeometry(r.left() + 5, r.top() + 5, r.width() - 10,
                        std::max(0, doneTop - 5 - (r.top() + 5)));
}
