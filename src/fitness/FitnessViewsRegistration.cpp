#include "fitness/FitnessViewsRegistration.h"

#include "fitness/FitnessDetailsContentControl.h"
#include "fitness/FoodDetailsContentControl.h"
#include "fitness/GoalsContentControl.h"
#include "fitness/ProfileEditorContentControl.h"
#include "fitness/TrendContentControl.h"
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
