#pragma once

#include "controls/RowLayout.h"
#include "controls/ScrollCtrlContainer.h"

#include <memory>

class QLabel;

// The usual form: a scroll container whose children are placed by one RowLayout.
class RowLayoutContainer : public ScrollCtrlContainer
{
    Q_OBJECT

public:
    explicit RowLayoutContainer(QWidget* parent = nullptr);
    ~RowLayoutContainer() override;

    RowLayout* Layout() const { return m_layout.get(); }

protected:
    // Takes the rows once the children exist, and lays them out.
    void SetRowLayout(std::unique_ptr<RowLayout> layout);
    // A static text as forms use them: plain text, identified by its control number, that tells
    // what does not fit (StaticText).
    QLabel* MakeStatic(int id, const QString& text = {});

    void LayoutContent(const QRect& contentRect, const QRect& clientRect, int yTop) override;
    int GetContentHeight(const QRect& clientRect, const ScrollInfo& info) override;

private:
    std::unique_ptr<RowLayout> m_layout;
};
