#include "controls/RowLayoutContainer.h"

#include "controls/StaticText.h"
#include "controls/WhiteBackground.h"

RowLayoutContainer::RowLayoutContainer(QWidget* parent) : ScrollCtrlContainer(parent)
{
    SetWhiteBackground(this);
}

RowLayoutContainer::~RowLayoutContainer() = default;

void RowLayoutContainer::SetRowLayout(std::unique_ptr<RowLayout> layout)
{
    m_layout = std::move(layout);
    Relayout();
}

QLabel* RowLayoutContainer::MakeStatic(int id, const QString& text)
{
    auto* label = new StaticText(text, this);
    label->setObjectName(QString::number(id));
    label->setFocusPolicy(Qt::TabFocus);
    label->setGeometry(0, 0, 10, 10);
    return label;
}

void RowLayoutContainer::LayoutContent(const QRect& contentRect, const QRect&, int)
{
    if (m_layout)
        m_layout->LayoutRows(contentRect);
}

int RowLayoutContainer::GetContentHeight(const QRect&, const ScrollInfo&)
{
    return m_layout ? m_layout->GetContentHeight() : 0;
}
