#pragma once

#include <QDialog>
#include <QPushButton>
#include <QString>

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

} // namespace SmallDialog
