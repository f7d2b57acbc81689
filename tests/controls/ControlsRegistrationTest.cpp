#include "controls/ControlsRegistration.h"
#include "controls/Grid.h"
#include "controls/GroupSelect.h"
#include "controls/JournalItemDetails.h"
#include "fitness/FitnessDetails.h"
#include "fitness/FitnessViewsRegistration.h"
#include "fitness/FoodDetails.h"
#include "fitness/GoalFigures.h"
#include "fitness/ProfileEditor.h"
#include "fitness/TrendChart.h"
#include "vocabulary/ContentControl.h"
#include "vocabulary/ContentControlRegistry.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The name a page's payload reports, reached as pages reach it.
template <class Payload> QString PayloadName(ContentControl* control)
{
    const auto* payload = dynamic_cast<Payload*>(control->GetPayload());
    return payload ? payload->GetName() : QString();
}

TEST(ContentRegistrationTest, EveryControlIsMadeByItsName)
{
    RegisterControlContent();
    RegisterFitnessContent();
    const std::vector<std::pair<QString, QString (*)(ContentControl*)>> controls{
        {"GridContentControl", &PayloadName<Grid>},
        {"GroupSelectControl", &PayloadName<GroupSelect>},
        {"JournalItemDetailsControl", &PayloadName<JournalItemDetails>},
        {"TrendControl", &PayloadName<TrendChart>},
        {"FoodDetailsControl", &PayloadName<FoodDetails>},
        {"FitnessDetailsControl", &PayloadName<FitnessDetails>},
        {"ProfileEditorControl", &PayloadName<ProfileEditor>},
        {"GoalsControl", &PayloadName<GoalFigures>}};
    for (const auto& [name, payloadName] : controls) {
        ContentControl* control = ContentControlRegistry::Create(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_EQ(payloadName(control), name);
        QWidget* window = control->GetWindow();
        EXPECT_EQ(window->objectName(), name);
        delete window; // the control goes with its window
    }
    for (const auto& entry : controls)
        EXPECT_TRUE(ContentControlRegistry::Unregister(entry.first));
}

} // namespace
