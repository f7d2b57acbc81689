#include "posting/ConnectionStatusDialog.h"

#include "blog/PostCancel.h"
#include "skin/DeviceScreen.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kMargin = 5;
}

ConnectionStatusDialog::ConnectionStatusDialog(QWidget* parent)
    : QDialog(parent), m_text(new QLabel(this)), m_button(new QPushButton(this))
{
    setObjectName(QStringLiteral("ConnectionStatusDialog"));
    setWindowTitle(QStringLiteral("Connection Status..."));

    // Whatever the proxy answers is shown as it is, never as markup.
    m_text->setObjectName(QStringLiteral("1018"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);

    m_button->setObjectName(QStringLiteral("2"));
    m_button->setText(QStringLiteral("Cancel"));
    connect(m_button, &QPushButton::clicked, this, &ConnectionStatusDialog::reject);

    m_button->resize(DialogUnits(50, 14));
    // The template's size in this font can be wider than a small screen; the text wraps.
    resize(DialogUnits(186, 95).boundedTo(DeviceScreen::Instance().Size()));
}

ConnectionStatusDialog::~ConnectionStatusDialog()
{
    // Letting go of the transfer detaches this dialog from it.
    m_cancel.reset();
}

void ConnectionStatusDialog::SetCancel(std::shared_ptr<PostCancel> cancel)
{
    m_cancel = std::move(cancel);
}

void ConnectionStatusDialog::OnProgress(int, const QString& text, float)
{
    QMetaObject::invokeMethod(
        this, [this, text] { ShowProgress(text); }, Qt::QueuedConnection);
}

void ConnectionStatusDialog::OnComplete(std::int32_t result, const QString& message)
{
    QMetaObject::invokeMethod(
        this, [this, result, message] { ShowCompletion(result, message); }, Qt::QueuedConnection);
}

int ConnectionStatusDialog::exec()
{
    if (m_finished)
        return result();
    return QDialog::exec();
}

void ConnectionStatusDialog::reject()
{
    // After a failure the button only closes; there is nothing left to cancel.
    if (!m_finished && !m_failed && m_cancel)
        m_cancel->Cancel();
    Finish(Rejected);
}

QString ConnectionStatusDialog::StatusText() const
{
    return m_text->text();
}

void ConnectionStatusDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect client = rect();
    const QSize button = m_button->size();
    const int buttonTop = client.bottom() + 1 - button.height() - kMargin;
    m_button->move((client.width() - button.width()) / 2, buttonTop);
    m_text->setGeometry(0, client.top() + kMargin, client.width(),
                        std::max(0, buttonTop - kMargin - (client.top() + kMargin)));
}

void ConnectionStatusDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event); // centres on the parent as the desktop sees it
    DeviceScreen::Instance().Centre(this);
}

void ConnectionStatusDialog::ShowProgress(const QString& text)
{
    if (m_finished || m_failed)
        return;
    m_text->setText(text + QStringLiteral("\r\nPlease wait..."));
}

void ConnectionStatusDialog::ShowCompletion(std::int32_t result, const QString& message)
{
    if (m_finished || m_failed)
        return;
    if (result >= 0) {
        Finish(Accepted);
        return;
    }
    m_text->setText(QStringLiteral("Connection Error:\r\n") + message);
    m_button->setText(QStringLiteral("Close"));
    m_failed = true;
}

void ConnectionStatusDialog::Finish(int result)
{
    m_finished = true;
    m_cancel.reset();
    done(result);
}

// Dialog units of the dialog's font: a quarter of the average character width across, an
// eighth of the character height down.
QSize ConnectionStatusDialog::DialogUnits(int x, int y) const
{
    const QFontMetrics metrics(font());
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabet / 26 + 1) / 2;
    const int baseY = metrics.height();
    return {x * baseX / 4, y * baseY / 8};
}
