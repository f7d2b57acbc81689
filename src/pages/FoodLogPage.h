#pragma once

#include "pages/GridLogPage.h"

// The day's food: item, portions, serving unit and the amount of the profile's tracked
// nutrient; portions and unit are chosen in place.
class FoodLogPage final : public GridLogPage
{
public:
    explicit FoodLogPage(Session& session);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // GridModel
    int GetColumnCount() override { return 4; }
    QString GetColumnTitle(int column) override;
    QString GetCellText(const GridCell& cell) override;

    // GridCellEditor
    int GetChoiceCount(const GridCell& cell) override;
    QString GetChoiceText(const GridCell& cell, int index) override;

protected:
    std::unique_ptr<LogRow> MakeRow(UserDatabase& store) const override;
    std::unique_ptr<LookupPage> MakeLookup(bool lookup, bool favorites) const override;
    QString ColumnWidthKey(int column) const override;
    int DefaultColumnPercent(int column) const override;
    bool IsEditable(int column) const override { return column == 1 || column == 2; }
    void ShowSelectedDetails() override;

private:
    int TrackedNutrient() const;
    // "Quick Add...": asks for a name and figures and logs them on the shown day.
    void QuickAdd();
};
