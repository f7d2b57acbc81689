#include "controls/BottomButtonsContainer.h"

#include "controls/BandPainter.h"
#include "controls/BmpButtonImpl.h"
#include "controls/TabChain.h"
#include "skin/SkinSettings.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kFirstButtonId = 1500;

// Left slots first, then the right slots from the leftmost to slot 0.
int TabKey(int slot)
{
    return slot < 1 ? slot + 50 : slot;
}
} // namespace

BottomButtonsContainer::BottomButtonsContainer(QWidget* parent, int id) : QWidget(parent)
{
    SetUpPanel(this, id);
    setAccessibleName(QStringLiteral("Page Buttons"));
}

QRect BottomButtonsContainer::SlotRect(const QRect& client, int slot)
{
    SkinSettings& skin = SkinSettings::Instance();
    const int cy = skin.GetScaled(u"layout/btn/button/cy", 15);
    const int cx = skin.GetScaled(u"layout/btn/button/cx", 40);
    const int spacing = skin.GetScaled(u"layout/btn/panel/xButtonSpacing", 2);
    const int top = client.top() + skin.GetScaled(u"layout/btn/panel/topMargin", 2);
    int x = 0;
    if (slot >= 1)
        x = client.left() + skin.GetScaled(u"layout/btn/panel/leftMargin", 2) +
            (slot - 1) * (cx + spacing);
    else
        x = client.left() + client.width() - skin.GetScaled(u"layout/btn/panel/rightMargin", 2) -
            cx + slot * (cx + spacing);
    return {x, top, cx, cy};
}

BmpButtonImpl* BottomButtonsContainer::Button(int slot) const
{
    const auto it = std::find_if(m_buttons.begin(), m_buttons.end(),
                                 [slot](const Slot& s) { return s.slot == slot; });
    return it == m_buttons.end() ? nullptr : it->button;
}

void BottomButtonsContainer::SetButton(int slot, const QString& name)
{
    if (BmpButtonImpl* existing = Button(slot)) {
        existing->SetName(name);
        return;
    }
    auto* button = new BmpButtonImpl(true, this, kFirstButtonId + slot);
    button->setGeometry(SlotRect(rect(), slot));
    m_buttons.push_back({slot, button});
    button->SetSection(m_section);
    button->SetName(name);
    button->SetListener(m_listener);
    SortTabOrder();
}

void BottomButtonsContainer::SortTabOrder()
{
    std::vector<Slot> sorted = m_buttons;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Slot& a, const Slot& b) { return TabKey(a.slot) < TabKey(b.slot); });
    // Right after the panel itself, so the buttons keep the panel's place in the dialog.
    std::vector<QWidget*> chain{this};
    for (const Slot& s : sorted)
        chain.push_back(s.button);
    ChainTabOrder(chain);
}

void BottomButtonsContainer::SetSection(const QString& section)
{
    m_section = section;
    for (const Slot& s : m_buttons)
        s.button->SetSection(section);
    update();
}

void BottomButtonsContainer::SetListener(EventListener* listener)
{
    m_listener = listener;
    for (const Slot& s : m_buttons)
        s.button->SetListener(listener);
}

void BottomButtonsContainer::Clear()
{
    for (const Slot& s : m_buttons)
        s.button->SetName(QString());
    update();
}

void BottomButtonsContainer::resizeEvent(QResizeEvent*)
{
    for (const Slot& s : m_buttons)
        s.button->setGeometry(SlotRect(rect(), s.slot));
}

void BottomButtonsContainer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintBand(painter, rect(), m_section, u"btn");
}
