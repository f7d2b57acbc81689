#pragma once

#include "controls/RowLayoutContainer.h"
#include "views/FoodDetails.h"
#include "vocabulary/ContentControl.h"

#include <array>

// A food's name, in as many lines as it takes, and its six nutrition values per 100 g, read only
// ("FoodDetailsControl").
class FoodDetailsContentControl final : public RowLayoutContainer,
                                        public ContentControl,
                                        public FoodDetails
{
    Q_OBJECT

public:
    static const QString kName;

    explicit FoodDetailsContentControl(QWidget* parent = nullptr);

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // FoodDetails
    QString GetName() const override { return kName; }
    void SetFoodName(const QString& name) override;
    void SetValue(int nutrient, int value) override;

    QLabel* NameLabel() const { return m_name; }
    QLabel* ValueLabel(int nutrient) const { return m_values[nutrient]; }

protected:
    void LayoutContent(const QRect& contentRect, const QRect& clientRect, int yTop) override;
    int GetContentHeight(const QRect& clientRect, const ScrollInfo& info) override;

private:
    // What the name's lines beyond the first add to its row, at this width of the window.
    int NameExtraHeight(int clientWidth) const;

    EventListener* m_listener = nullptr;
    QLabel* m_name = nullptr;
    std::array<QLabel*, 6> m_values{};
};
