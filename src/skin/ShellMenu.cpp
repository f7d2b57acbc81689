#include "skin/ShellMenu.h"

#include <QMenuBar>

namespace ShellMenu {

QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool withExport)
{
    auto* bar = new QMenuBar(owner);
    bar->setNativeMenuBar(false); // part of the emulated screen
    QMenu* menu = bar->addMenu(QStringLiteral("Menu"));
    const std::pair<const char*, int> commands[] = {{"Preferences...", kPreferences},
                                                    {"Help", kHelp},
                                                    {"About", kAbout},
                                                    {"Export...", kExport}};
    for (const auto& [text, command] : commands) {
        if (command == kExport && !withExport)
            continue;
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::number(command));
        QObject::connect(action, &QAction::triggered, owner, [run, id = command] { run(id); });
    }
    return bar;
}

} // namespace ShellMenu
