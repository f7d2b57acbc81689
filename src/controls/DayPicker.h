#pragma once

#include "data/TimeBase.h"

#include <QDateEdit>
#include <QTime>

// A short-date picker with a calendar that round-trips a day stamp: the days a stamp can hold,
// and the time of day it was given handed back unchanged.
class DayPicker final : public QDateEdit
{
    Q_OBJECT

public:
    explicit DayPicker(QWidget* parent = nullptr);

    // Shows the stamp's date without raising dateChanged.
    void SetDay(TimeBase::Stamp stamp);
    TimeBase::Stamp GetDay() const;

private:
    QTime m_time;
};
