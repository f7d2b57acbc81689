#include "skin/HelpIndexDialog.h"

#include "skin/DeviceScreen.h"
#include "skin/HelpDialog.h"
#include "skin/SmallDialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>

HelpIndexDialog::HelpIndexDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpIndexDialog"));
    setWindowTitle(QStringLiteral("Help Index"));
    showTopic = [](int topic, QWidget* owner) {
        HelpDialog help(topic, owner);
        help.exec();
    };
    m_done = SmallDialog::Button(this, QStringLiteral("Done"), 1, QDialog::Accepted);
    m_done->setDefault(false); // Return on the list opens the topic instead
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("1003"));
    m_list->addItems(Entries());
    // The list moves its selection first; the topic opens after, outside the press.
    const auto open = [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_list->currentRow() >= 0)
                showTopic(m_list->currentRow(), this);
        });
    };
    connect(m_list, &QListWidget::pressed, this, open);
    connect(m_list, &QListWidget::activated, this, open);
    DeviceScreen::Instance().Apply(this);
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
    const QRect r = rect();
    const QSize done = m_done->sizeHint();
    const int doneTop = r.bottom() + 1 - 5 - done.height();
    m_done->setGeometry(r.left() + (r.width() - done.width()) / 2, doneTop, done.width(),
                        done.height());
    m_list->setGeometry(r.left() + 5, r.top() + 5, r.width() - 10,
                        std::max(0, doneTop - 5 - (r.top() + 5)));
}
