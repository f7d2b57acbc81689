#pragma once

#include "pages/SubPage.h"

#include <cstdint>

// The nutrition facts of one food per 100 g, read-only; "done" closes it.
class FoodDetailsPage final : public SubPage
{
public:
    FoodDetailsPage(Session& session, std::uint32_t food);

    void Attach(PageHost& host) override;
    int OnEvent(const QString& name, QWidget* sender) override;

private:
    std::uint32_t m_food;
};
