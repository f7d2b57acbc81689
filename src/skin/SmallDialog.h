#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <algorithm>

// Pieces the small standard dialogs (help, about, preferences, disclaimer) share.
namespace SmallDialog {

// Texts from the databases mark line breaks with "\n" (older ones with "\r\n"); a multi-line
// field shows either as one break.
inline QString MultiLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// A push button that ends the dialog with the given result; its object name is its identifier
// ("1" for OK, "2" for Cancel).
inline QPushButton* Button(QDialog* dialog, const QString& text, int id, QDialog::DialogCode result)
{
    auto* button = new QPushButton(text, dialog);
    button->setObjectName(QString::number(id));
    button->setDefault(result == QDialog::Accepted);
    QObject::connect(button, &QPushButton::clicked, dialog,
                     result == QDialog::Accepted ? &QDialog::accept : &QDialog::reject);
    return button;
}

// The caption across the top of the screen, where the handheld's shell showed it: the window
// title, bold and centred on the highlight colour. Every small dialog has one.
inline void AddCaption(QDialog* dialog)
{
    auto* caption = new QLabel(dialog->windowTitle(), dialog);
    caption->setObjectName(QStringLiteral("caption"));
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignCenter);
    caption->setAutoFillBackground(true);
    caption->setBackgroundRole(QPalette::Highlight);
    caption->setForegroundRole(QPalette::HighlightedText);
    QFont bold;
    bold.setBold(true); // the size follows the dialog's font
    caption->setFont(bold);
}

// Places the caption and returns the client rectangle below it, which the dialog lays out in.
inline QRect CaptionedClient(QDialog* dialog)
{
    QRect client = dialog->rect();
    if (auto* caption = dialog->findChild<QLabel*>(QStringLiteral("caption"))) {
        const int height = caption->fontMetrics().height() * 3 / 2;
        caption->setGeometry(0, 0, client.width(), height);
        client.setTop(height);
    }
    return client;
}

// OK and Cancel side by side, centred at the bottom of the client rectangle; the top of the
// buttons, which the rest of the dialog lays out above.
inline int PlaceOkCancel(QPushButton* ok, QPushButton* cancel, const QRect& client)
{
    const int centre = client.left() + client.width() / 2;
    const int bottom = client.bottom() + 1 - 5;
    const QSize okSize = ok->sizeHint();
    const QSize cancelSize = cancel->sizeHint();
    ok->setGeometry(centre - 3 - okSize.width(), bottom - okSize.height(), okSize.width(),
                    okSize.height());
    cancel->setGeometry(centre + 3, bottom - cancelSize.height(), cancelSize.width(),
                        cancelSize.height());
    return bottom - std::max(okSize.height(), cancelSize.height());
}

} // namespace SmallDialog
