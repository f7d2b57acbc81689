#pragma once

// Puts the grid, the group select list and the journal details control in the content
// control registry. Called once at start-up, before any dialog exists.
void RegisterControlContent();
