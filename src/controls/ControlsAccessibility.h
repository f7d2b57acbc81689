#pragma once

// Tells Qt's accessibility how to present the skinned controls: bitmap buttons by what they do
// (pictures when passive) and the title bar and both button panels as tool bars of the controls
// they show. Called once at start-up.
void InstallControlsAccessibility();
