#pragma once

#include "pages/GridLogPage.h"

// The day's exercise: exercise, duration and calories burned; the duration is chosen in place.
class FitnessLogPage final : public GridLogPage
{
public:
    explicit FitnessLogPage(Session& session);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

    // GridModel
    int GetColumnCount() override { return 3; }
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
    bool IsEditable(int column) const override { return column == 1; }
    void ShowSelectedDetails() override;

private:
    // "My Calories...": the selected exercise's calories as the user's watch showed them.
    void SetOwnCalories();
};
