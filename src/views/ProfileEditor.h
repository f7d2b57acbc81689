#pragma once

#include "data/TimeBase.h"

#include <QString>

// What the profile page gets back from SetContent("ProfileEditorControl"). Numbers are in the
// units the editor shows (GetMetric); weights take one decimal, the others are whole. A number
// set to 0, a missing value, shows as an empty field.
class ProfileEditor
{
public:
    virtual QString GetName() const = 0;
    // Switches the three unit labels; the typed values stay as they are.
    virtual void SetMetric(bool metric) = 0;
    virtual bool GetMetric() const = 0;
    virtual int GetFoodTracking() const = 0;
    virtual void SetFoodTracking(int index) = 0;
    virtual QString GetUserName() const = 0;
    virtual void SetUserName(const QString& name) = 0;
    virtual int GetAge() const = 0;
    virtual void SetAge(int age) = 0;
    virtual int GetHeight() const = 0;
    virtual void SetHeight(int height) = 0;
    virtual float GetStartWeight() const = 0;
    // Shown with its decimal when it has one, else as a whole number (+ 0.5, truncated).
    virtual void SetStartWeight(float weight) = 0;
    virtual float GetGoalWeight() const = 0;
    virtual void SetGoalWeight(float weight) = 0;
    virtual TimeBase::Stamp GetStartDate() const = 0;
    virtual void SetStartDate(TimeBase::Stamp day) = 0;
    virtual TimeBase::Stamp GetGoalDate() const = 0;
    virtual void SetGoalDate(TimeBase::Stamp day) = 0;
    // The first field missing or out of range, in the words the editor shows; empty when none.
    virtual QString Problem() const = 0;

protected:
    ~ProfileEditor() = default;
};
