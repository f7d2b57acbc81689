#include "controls/TitleBarControl.h"

#include "controls/BandPainter.h"
#include "controls/BmpButtonImpl.h"
#include "controls/DayPicker.h"
#include "skin/SkinSettings.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/Events.h"

#include <QPainter>

TitleBarControl::TitleBarControl(QWidget* parent, int id) : QWidget(parent)
{
    SetUpPanel(this, id);

    const auto make = [this](bool drawText, int childId) {
        auto* button = new BmpButtonImpl(drawText, this, childId);
        button->setGeometry(0, 0, 10, 10);
        return button;
    };
    m_icon = make(false, 150);
    m_title = make(false, 151);
    m_lookup = make(false, 153);
    m_btn0 = make(true, 154);
    m_btn1 = make(true, 155);

    m_date = new DayPicker(this);
    m_date->setObjectName(QStringLiteral("156"));
    m_date->hide();
    connect(m_date, &QDateEdit::dateChanged, this, &TitleBarControl::DateEdited);

    m_help = make(false, 152);
    m_icon->SetName(Events::kMenu);
    m_help->SetName(Events::kHelp);
}

BmpButtonImpl* TitleBarControl::Button(int index) const
{
    switch (index) {
    case Icon:
        return m_icon;
    case Title:
        return m_title;
    case Lookup:
        return m_lookup;
    case Button0:
        return m_btn0;
    case Button1:
        return m_btn1;
    default:
        return nullptr;
    }
}

void TitleBarControl::SetSection(const QString& section)
{
    if (section == m_section)
        return;
    m_section = section;
    for (BmpButtonImpl* button : {m_icon, m_title, m_help, m_lookup, m_btn0, m_btn1})
        button->SetSection(section);
    update();
}

void TitleBarControl::SetListener(EventListener* listener)
{
    if (listener == m_listener)
        return;
    m_listener = listener;
    for (BmpButtonImpl* button : {m_help, m_lookup, m_btn0, m_btn1})
        button->SetListener(listener);
}

void TitleBarControl::SetButtonName(int index, const QString& name)
{
    if (BmpButtonImpl* button = Button(index))
        button->SetName(name);
}

void TitleBarControl::SetDate(TimeBase::Stamp date)
{
    m_date->SetDay(date); // a date set by the page is no user change
    m_date->show();
}

TimeBase::Stamp TitleBarControl::GetDate() const
{
    return m_date->GetDay();
}

void TitleBarControl::DateEdited()
{
    if (!m_listener)
        return;
    m_listener->OnEvent(Events::kDateChanged, nullptr);
}

void TitleBarControl::Clear()
{
    for (BmpButtonImpl* button : {m_icon, m_title, m_lookup, m_btn0, m_btn1})
        button->SetName(QString());
    m_date->hide();
}

void TitleBarControl::resizeEvent(QResizeEvent*)
{
    SkinSettings& skin = SkinSettings::Instance();
    const std::pair<QWidget*, const char16_t*> items[] = {
        {m_icon, u"layout/title/icon"}, {m_title, u"layout/title/title"},
        {m_help, u"layout/title/help"}, {m_lookup, u"layout/title/lookup"},
        {m_btn0, u"layout/title/btn0"}, {m_btn1, u"layout/title/btn1"},
        {m_date, u"layout/title/date"}};
    for (const auto& [widget, key] : items) {
        QRect place = widget->geometry();
        skin.GetRect(key, place);
        widget->setGeometry(place);
    }
}

void TitleBarControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintBand(painter, rect(), m_section, u"title");
}
