#pragma once

#include <QString>

// What the food details page gets back from SetContent("FoodDetailsControl").
class FoodDetails
{
public:
    virtual QString GetName() const = 0;
    virtual void SetFoodName(const QString& name) = 0;
    // nutrient 0..5 in the usual order: "Calories" .. "Saturated Fat".
    virtual void SetValue(int nutrient, int value) = 0;

protected:
    ~FoodDetails() = default;
};
