#pragma once

// Puts the trend chart and the food and exercise detail views in the content control registry.
// Called once at start-up, before any dialog exists.
void RegisterFitnessContent();
