#include "controls/ButtomNavigation.h"

#include "controls/BandPainter.h"
#include "controls/BmpButtonImpl.h"
#include "skin/SkinSettings.h"
#include "vocabulary/Events.h"

ButtomNavigation::ButtomNavigation(QWidget* parent, int id) : QWidget(parent)
{
    SetUpPanel(this, id);
    setAccessibleName(QStringLiteral("Navigation"));

    const QString names[] = {Events::kGoHome, Events::kGoProfile, Events::kGoJournal,
                             Events::kGoFitness, Events::kGoFood};
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i] = new BmpButtonImpl(false, this, 150 + int(i));
        m_buttons[i]->setGeometry(0, 0, 10, 10);
        m_buttons[i]->SetSection(QStringLiteral("nav"));
        m_buttons[i]->SetName(names[i]);
    }
}

void ButtomNavigation::SetListener(EventListener* listener)
{
    for (BmpButtonImpl* button : m_buttons)
        button->SetListener(listener);
}

void ButtomNavigation::resizeEvent(QResizeEvent*)
{
    SkinSettings& skin = SkinSettings::Instance();
    const int top = skin.GetScaled(u"layout/nav/panel/topMargin", 2);
    int x = skin.GetScaled(u"layout/nav/panel/leftMargin", 2);
    const int spacing = skin.GetScaled(u"layout/nav/panel/xButtonSpacing", 2);
    const int cx = skin.GetScaled(u"layout/nav/button/cx", 2);
    const int cy = skin.GetScaled(u"layout/nav/button/cy", 2);
    for (BmpButtonImpl* button : m_buttons) {
        button->setGeometry(x, top, cx, cy);
        x += cx + spacing;
    }
}
