#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class BmpButtonImpl;
class EventListener;

// The coloured strip of command buttons above the navigation bar. Buttons sit in slots:
// 1, 2, 3 ... from the left edge, 0, -1, -2 ... from the right edge. A slot's button is made the
// first time the slot is named and reused afterwards.
class BottomButtonsContainer final : public QWidget
{
    Q_OBJECT

public:
    explicit BottomButtonsContainer(QWidget* parent, int id = 10001);

    // The empty name hides the slot's button.
    void SetButton(int slot, const QString& name);
    void SetSection(const QString& section);
    QString Section() const { return m_section; }
    void SetListener(EventListener* listener);
    // Hides every button; they stay for reuse.
    void Clear();

    // The slot's button, or none if the slot was never named.
    BmpButtonImpl* Button(int slot) const;
    // Where the slot's button goes in a panel of the given client rectangle.
    static QRect SlotRect(const QRect& client, int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Slot
    {
        int slot;
        BmpButtonImpl* button; // child of this panel
    };

    void SortTabOrder();

    QString m_section;
    EventListener* m_listener = nullptr;
    std::vector<Slot> m_buttons; // in order of creation
};
