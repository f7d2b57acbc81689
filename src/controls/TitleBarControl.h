#pragma once

#include "controls/DayPicker.h"
#include "data/TimeBase.h"

#include <QString>
#include <QWidget>

class BmpButtonImpl;
class EventListener;

// The strip across the top of every page: icon, title image, help mark, lookup button, two text
// buttons and a date picker, placed from the skin table. Raises the active buttons' names and
// "dateChanged" when the user picks another day.
class TitleBarControl final : public QWidget
{
    Q_OBJECT

public:
    enum Item
    {
        Icon = 0,
        Title = 1,
        Lookup = 2,
        Button0 = 3,
        Button1 = 4
    };

    explicit TitleBarControl(QWidget* parent, int id = 10002);

    void SetSection(const QString& section);
    QString Section() const { return m_section; }
    // The icon and title stay passive pictures.
    void SetListener(EventListener* listener);
    // Item index 0 to 4; other indexes are ignored. The empty name hides the item.
    void SetButtonName(int index, const QString& name);
    // Shows the picker on the day of `date`.
    void SetDate(TimeBase::Stamp date);
    TimeBase::Stamp GetDate() const;
    // Hides everything but the help mark.
    void Clear();

    BmpButtonImpl* Button(int index) const;
    BmpButtonImpl* HelpButton() const { return m_help; }
    DayPicker* DatePicker() const { return m_date; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DateEdited();

    QString m_section;
    EventListener* m_listener = nullptr;
    BmpButtonImpl* m_icon;
    BmpButtonImpl* m_title;
    BmpButtonImpl* m_lookup;
    BmpButtonImpl* m_btn0;
    BmpButtonImpl* m_btn1;
    DayPicker* m_date;
    BmpButtonImpl* m_help;
};
