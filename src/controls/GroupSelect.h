#pragma once

#include <QString>

class GroupSelectModel;

// What a page gets back from SetContent("GroupSelectControl").
class GroupSelect
{
public:
    virtual QString GetName() const = 0;
    // Not owned. Builds one drop-down list per group and fills everything from the model.
    virtual void SetModel(GroupSelectModel* model) = 0;
    // Writes a changed group choice to the model, then refills what follows it from the model.
    virtual void Reload() = 0;

protected:
    ~GroupSelect() = default;
};
