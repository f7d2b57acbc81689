#pragma once

#include "pages/SubPage.h"

#include <cstdint>

// One exercise's group, name and the calories a quarter hour of it burns for the profile's
// weight class; "done" closes it.
class ExerciseDetailsPage final : public SubPage
{
public:
    static constexpr const char* kUnknownCategory = "Unknown";

    ExerciseDetailsPage(Session& session, std::uint32_t exercise);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

private:
    std::uint32_t m_exercise;
};
