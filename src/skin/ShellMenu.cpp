#include "skin/ShellMenu.h"

#include <QMenuBar>

namespace ShellMenu {

QMenuBar* Build(QWidget* owner, std::function<void(int command)> run)
{
    auto* bar = new QMenuBar(owner);
    bar->setNativeMenuBar(false); // part of the emulated screen
    QMenu* menu = bar->addMenu(QStringLiteral("Menu"));
    const std::pair<const char*, int> commands[] = {
        {"Preferences...", kPreferences}, {"Help", kHelp}, {"About", kAbout}};
    for (const auto& [text, command] : commands) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::number(command));
        QObject::connect(action, &QAction::triggered, owner, [run, id = command] { run(id); });
    }
    return bar;
}

} // namespace ShellMenu
