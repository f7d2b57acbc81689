#include "controls/ControlsRegistration.h"

#include "controls/CustomGrid.h"
#include "controls/GroupSelectContentControl.h"
#include "controls/JournalItemDetailsCtrl.h"
#include "vocabulary/ContentControlRegistry.h"

void RegisterControlContent()
{
    ContentControlRegistry::Register(CustomGrid::kName, [] { return new CustomGrid; });
    ContentControlRegistry::Register(GroupSelectContentControl::kName,
                                     [] { return new GroupSelectContentControl; });
    ContentControlRegistry::Register(JournalItemDetailsCtrl::kName,
                                     [] { return new JournalItemDetailsCtrl; });
}
