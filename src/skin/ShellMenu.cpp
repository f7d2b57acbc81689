#include "skin/ShellMenu.h"

#include <QAction>
#include <QMenuBar>
#include <QUndoStack>

namespace ShellMenu {

namespace {

// "Undo" or "Redo" and the edit's name, following the history.
void AddHistoryCommand(QMenu* menu, QUndoStack* history, bool undo,
                       const std::function<void(int command)>& run)
{
    const QString verb = undo ? QStringLiteral("Undo") : QStringLiteral("Redo");
    QAction* action = menu->addAction(verb);
    action->setObjectName(QString::number(undo ? kUndo : kRedo));
    action->setShortcuts(undo
                             ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}
                             : QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    action->setShortcutContext(Qt::WindowShortcut);
    const auto follow = [action, history, undo, verb] {
        const QString text = undo ? history->undoText() : history->redoText();
        action->setEnabled(undo ? history->canUndo() : history->canRedo());
        action->setText(text.isEmpty() ? verb : verb + u' ' + text);
    };
    follow();
    QObject::connect(history, &QUndoStack::indexChanged, action, follow);
    QObject::connect(history, &QUndoStack::cleanChanged, action, follow);
    QObject::connect(action, &QAction::triggered, menu,
                     [run, id = undo ? kUndo : kRedo] { run(id); });
}

} // namespace

QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool withExport,
                QUndoStack* history)
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
    if (history) {
        AddHistoryCommand(menu, history, true, run);
        AddHistoryCommand(menu, history, false, run);
        // The keys work while the menu is closed.
        owner->addActions(menu->actions());
        menu->addSeparator();
    }
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
