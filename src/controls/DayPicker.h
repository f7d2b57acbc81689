#pragma once

#include "data/TimeBase.h"

#include <QDateEdit>
#include <QTime>

// A short-date picker with a calendar that round-trips a day stamp: the days a stamp can hold,
// and the time of day it was given handed back unchanged. Tab leaves it as it leaves any
// field; the arrow keys and typing reach the month, day and year; F4 or Alt+Down opens the
// calendar, as on a desktop's date fields.
class DayPicker final : public QDateEdit
{
    Q_OBJECT

public:
    explicit DayPicker(QWidget* parent = nullptr);

    // Shows the stamp's date without raising dateChanged.
    void SetDay(TimeBase::Stamp stamp);
    TimeBase::Stamp GetDay() const;

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTime m_time;
};
