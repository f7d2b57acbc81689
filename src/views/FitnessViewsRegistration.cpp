#include "views/FitnessViewsRegistration.h"

#include "views/FitnessDetailsContentControl.h"
#include "views/FoodDetailsContentControl.h"
#include "views/GoalsContentControl.h"
#include "views/ProfileEditorContentControl.h"
#include "views/TrendContentControl.h"
#include "vocabulary/ContentControlRegistry.h"

void RegisterFitnessContent()
{
    ContentControlRegistry::Register(TrendContentControl::kName,
                                     [] { return new TrendContentControl; });
    ContentControlRegistry::Register(FoodDetailsContentControl::kName,
                                     [] { return new FoodDetailsContentControl; });
    ContentControlRegistry::Register(FitnessDetailsContentControl::kName,
                                     [] { return new FitnessDetailsContentControl; });
    ContentControlRegistry::Register(ProfileEditorContentControl::kName,
                                     [] { return new ProfileEditorContentControl; });
    ContentControlRegistry::Register(GoalsContentControl::kName,
                                     [] { return new GoalsContentControl; });
}
