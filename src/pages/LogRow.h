#pragma once

#include <QString>

class Item;

// One log item as a log page shows it, with what the row needs of the reference data read once
// when the item is attached. The item stays in its list; the row only points at it, and is made
// again whenever the day's items change.
class LogRow
{
public:
    virtual ~LogRow() = default;

    // Stores the item and reads its reference record again.
    virtual void Attach(Item& item) { m_item = &item; }
    Item* RowItem() const { return m_item; }

    virtual QString Name() const = 0;
    // The editable fields of the item, numbered as its page's editable columns.
    virtual int GetField(int field) const = 0;
    virtual int Calories() const = 0;
    // Nutrient 0..5 ("Calories" .. "Saturated Fat"); never negative.
    virtual int NutrientAmount(int nutrient) const = 0;

protected:
    LogRow() = default;

private:
    Item* m_item = nullptr;
};
