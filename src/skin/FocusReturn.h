#pragma once

// Gives the keyboard back to the window under a dialog that closes, where its focus widget
// takes it again. Window managers do this for the windows they manage, but a screen without
// one (or one that does not) would leave the keys going nowhere until the user taps.
void InstallFocusReturn();
