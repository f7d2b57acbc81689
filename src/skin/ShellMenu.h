#pragma once

#include <functional>

class QMenuBar;
class QWidget;

// The "Menu" every full-screen dialog carries: "Preferences...", "Help" and "About".
namespace ShellMenu {

inline constexpr int kPreferences = 32771;
inline constexpr int kHelp = 32772;
inline constexpr int kAbout = 32773;

// A menu bar on `owner` whose commands call `run` with their identifier. F10 and Alt+M open it.
QMenuBar* Build(QWidget* owner, std::function<void(int command)> run);

} // namespace ShellMenu
