#include "skin/ReportDialog.h"

#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

ReportDialog::ReportDialog(const QString& caption, const QString& heading, const QString& report,
                           const QString& change, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(caption);
    SmallDialog::AddCaption(this);
    m_heading = new QLabel(heading, this);
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setWordWrap(true);
    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("report"));
    m_report->setReadOnly(true);
    m_report->setPlainText(report);
    m_report->setAccessibleName(QStringLiteral("Report"));
    m_report->setAccessibleDescription(heading);
    // Tab leaves the report for the buttons, as in every other dialog.
    m_report->setTabChangesFocus(true);
    if (change.isEmpty()) {
        m_accept = SmallDialog::Button(this, QStringLiteral("OK"), 1, QDialog::Accepted);
    } else {
        m_accept = SmallDialog::Button(this, change, 1, QDialog::Accepted);
        m_cancel = SmallDialog::Button(this, QStringLiteral("Cancel"), 2, QDialog::Rejected);
    }
    // The report is read first; Enter presses the default button from there.
    m_report->setFocus();
    DeviceScreen::Instance().Apply(this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
}

void ReportDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const QRect r = SmallDialog::CaptionedClient(this);
    const int headingH = m_heading->heightForWidth(r.width() - 10);
    m_heading->setGeometry(r.left() + 5, r.top() + 5, r.width() - 10, headingH);

    const int centre = r.left() + r.width() / 2;
    const int bottom = r.bottom() + 1 - 5;
    const QSize accept = m_accept->sizeHint();
    if (m_cancel) {
        const QSize cancel = m_cancel->sizeHint();
        m_accept->setGeometry(centre - 3 - accept.width(), bottom - accept.height(), accept.width(),
                              accept.height());
        m_cancel->setGeometry(centre + 3, bottom - cancel.height(), cancel.width(),
                              cancel.height());
    } else {
        m_accept->setGeometry(centre - accept.width() / 2, bottom - accept.height(), accept.width(),
                              accept.height());
    }
    const int top = m_heading->geometry().bottom() + 1 + 5;
    m_report->setGeometry(r.left(), top, r.width(),
                          std::max(0, m_accept->geometry().top() - 5 - top));
}
