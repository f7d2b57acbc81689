#pragma once

// Gives the keyboard back to the window under a dialog that closes, where its focus widget
// takes it again. Window managers do this for the windows they manage; without one, or with
// one that does not, the keys would go nowhere until the user taps.
void InstallFocusReturn();
