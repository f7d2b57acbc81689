#include "fitness/FitnessViewsRegistration.h"

#include "fitness/FitnessDetailsContentControl.h"
#include "fitness/FoodDetailsContentControl.h"
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
}
