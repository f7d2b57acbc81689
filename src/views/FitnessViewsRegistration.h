#pragma once

// Puts the trend chart, the profile editor, the goals figures and the food and exercise detail
// views in the content control registry. Called once at start-up, before any dialog exists.
void RegisterFitnessContent();
