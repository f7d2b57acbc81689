#pragma once

#include <QString>

// The data behind a group select list, implemented by the lookup pages: a chain of groups, each
// with a current choice, narrowing down a list of items.
class GroupSelectModel
{
public:
    virtual int GetGroupCount() = 0;
    virtual int GetGroupChoice(int group) = 0;
    virtual void SetGroupChoice(int group, int index) = 0;
    virtual int GetChoiceCount(int group) = 0;
    virtual QString GetChoiceText(int group, int index) = 0;
    virtual int GetItemCount() = 0;
    virtual QString GetItemText(int index) = 0;
    virtual int GetSelectedItem() = 0;
    // -1 when the list has no selection.
    virtual void SetSelectedItem(int index) = 0;

protected:
    ~GroupSelectModel() = default;
};
