#pragma once

#include "pages/PageBase.h"

class GoalFigures;

// "goals": BMI, BMR, weight status and the calories per day of the profile, computed once when
// the page opens. A profile that gives no real figures shows empty fields.
class GoalsPage final : public PageBase
{
public:
    explicit GoalsPage(Session& session);

    void Attach(PageHost& host) override;
    void Detach() override;
    int OnEvent(const QString& name, QWidget* sender) override;

    GoalFigures* Figures() const { return m_figures; }

private:
    void ShowFigures();

    GoalFigures* m_figures = nullptr;
};
