#pragma once

#include "commands/StoreCommand.h"

#include <cstdint>

// Switches the units shown between metric and US ones (the settings' metric flag).
class SwitchUnitsCommand final : public StoreCommand
{
public:
    SwitchUnitsCommand(UserEdits& edits, bool metric);

    void redo() override;
    void undo() override;

    // What the preferences' OK asks for, as one edit: the units and the tracked nutrient, each
    // only when it changed.
    static void ChangePreferences(UserEdits& edits, int trackedNutrient, bool metric);

private:
    void Set(std::uint32_t metric);

    std::uint32_t m_before = 0;
    std::uint32_t m_after;
    bool m_made = false;
};
