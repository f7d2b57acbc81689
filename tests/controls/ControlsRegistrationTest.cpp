#include "controls/ControlsRegistration.h"
#include "controls/CustomGrid.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/JournalItemDetailsCtrl.h"
#include "skin/ContentControlRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlsRegistrationTest, EveryControlIsMadeByItsName)
{
    RegisterControlContent();
    const QStringList names{"GridContentControl", "GroupSelectControl",
                            "JournalItemDetailsControl"};
    for (const QString& name : names) {
        ContentControl* control = ContentControlRegistry::Create(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        QWidget* window = control->GetWindow();
        EXPECT_EQ(window->objectName(), name);
        // Pages reach the payload through the control.
        ContentControl* payload = control->GetPayload();
        if (name == names[0])
            EXPECT_EQ(dynamic_cast<Grid*>(payload)->GetName(), name);
        else if (name == names[1])
            EXPECT_EQ(dynamic_cast<GroupSelect*>(payload)->GetName(), name);
        else
            EXPECT_EQ(dynamic_cast<JournalItemDetails*>(payload)->GetName(), name);
        delete window;
    }
    for (const QString& name : names)
        EXPECT_TRUE(ContentControlRegistry::Unregister(name));
}

} // namespace
