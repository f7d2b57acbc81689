#pragma once

#include <QWidget>

#include <array>

class BmpButtonImpl;
class EventListener;

// The row of five navigation buttons along the bottom of every page.
class ButtomNavigation final : public QWidget
{
    Q_OBJECT

public:
    explicit ButtomNavigation(QWidget* parent, int id = 10002);

    void SetListener(EventListener* listener);
    // 0 "goHome", 1 "goProfile", 2 "goJournal", 3 "goFitness", 4 "goFood".
    BmpButtonImpl* Button(int index) const { return m_buttons.at(std::size_t(index)); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::array<BmpButtonImpl*, 5> m_buttons{}; // children
};
