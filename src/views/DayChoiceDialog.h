#pragma once

#include "data/TimeBase.h"

#include <QDialog>

class DayPicker;
class QLabel;
class QPushButton;

// Asks for the other day of a copy: what is copied in a line of text, a date field with its
// calendar showing the first choice, OK and Cancel. Sized as the screen, as every small dialog;
// Return takes the day, Escape leaves it.
class DayChoiceDialog final : public QDialog
{
    Q_OBJECT

public:
    // `prompt` is shown as plain text, whatever it holds.
    DayChoiceDialog(const QString& title, const QString& prompt, TimeBase::Stamp first,
                    QWidget* parent);

    DayPicker* DayField() const { return m_day; }
    TimeBase::Stamp ChosenDay() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_prompt = nullptr;
    DayPicker* m_day = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
