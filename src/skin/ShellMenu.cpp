#include "skin/ShellMenu.h"

#include <QAction>
#include <QMenuBar>

namespace ShellMenu {

QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool withExport)
{
    auto* bar = new QMenuBar(owner);
    bar->setNativeMenuBar(false); // part of the emulated screen
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    QMenu* menu = bar->addMenu(QStringLiteral("&Menu")); // Alt+M
    menu->setAccessibleName(QStringLiteral("Menu"));
    // F10 opens it too, as on most desktops.
    auto* open = new QAction(QStringLiteral("Open Menu"), owner);
    open->setShortcut(QKeySequence(Qt::Key_F10));
    open->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(open, &QAction::triggered, bar,
                     [bar, item = menu->menuAction()] { bar->setActiveAction(item); });
    owner->addAction(open);
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
