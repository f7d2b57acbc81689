#pragma once

#include <functional>

class QMenuBar;
class QWidget;

// The "Menu" every full-screen dialog carries: "Preferences...", "Help" and "About"; the home
// screen's also has "Export...".
namespace ShellMenu {

inline constexpr int kPreferences = 32771;
inline constexpr int kHelp = 32772;
inline constexpr int kAbout = 32773;
inline constexpr int kExport = 32774;

// A menu bar on `owner` whose commands call `run` with their identifier; "Export..." follows
// the three commands when `withExport` is set.
QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool withExport = false);

} // namespace ShellMenu
