#pragma once

#include <functional>

class QMenuBar;
class QUndoStack;
class QWidget;

// The "Menu" every full-screen dialog carries: "Preferences...", "Help" and "About"; the home
// screen's also has "Export..." and "Import Weights...". Over an edit history, "Undo" and "Redo"
// come first, named after the edit they take back or make again ("Undo Add Cheddar Cheese"), and
// greyed when there is none.
namespace ShellMenu {

inline constexpr int kPreferences = 32771;
inline constexpr int kHelp = 32772;
inline constexpr int kAbout = 32773;
inline constexpr int kExport = 32774;
inline constexpr int kUndo = 32775;
inline constexpr int kRedo = 32776;
inline constexpr int kImportWeights = 32777;

// A menu bar on `owner` whose commands call `run` with their identifier; "Export..." and
// "Import Weights..." follow the three commands when `homeScreen` is set. F10 and Alt+M open it.
// With a `history`, Undo (Ctrl+Z) and Redo (Ctrl+Y, the shorter to show, and Ctrl+Shift+Z), when
// there is something to undo or redo, call `run` with their identifier first and then move the
// history.
QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool homeScreen = false,
                QUndoStack* history = nullptr);

} // namespace ShellMenu
