#include "skin/ShellMenu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenuBar>
#include <QUndoStack>

#include <algorithm>

namespace ShellMenu {

namespace {

// "Undo" or "Redo" and the edit's name, following the history.
QAction* AddHistoryCommand(QMenu* menu, QUndoStack* history, bool undo,
                           const std::function<void(int command)>& run)
{
    const QString verb = undo ? QStringLiteral("Undo") : QStringLiteral("Redo");
    QAction* action = menu->addAction(verb);
    action->setObjectName(QString::number(undo ? kUndo : kRedo));
    // Redo's other key, Ctrl+Shift+Z, is an action of the page's own (Build): a second shortcut
    // here would widen the menu by its text though only the first is shown.
    action->setShortcut(undo ? QKeySequence(Qt::CTRL | Qt::Key_Z)
                             : QKeySequence(Qt::CTRL | Qt::Key_Y));
    action->setShortcutContext(Qt::WindowShortcut);
    // The whole text is kept as the action's data: a save marking the history clean while the
    // menu is open must not undo the cut below.
    const auto follow = [action, history, undo, verb] {
        const QString name = undo ? history->undoText() : history->redoText();
        const QString whole = name.isEmpty() ? verb : verb + u' ' + name;
        action->setEnabled(undo ? history->canUndo() : history->canRedo());
        if (action->data().toString() != whole) {
            action->setData(whole);
            action->setText(whole);
        }
    };
    follow();
    QObject::connect(history, &QUndoStack::indexChanged, action, follow);
    QObject::connect(history, &QUndoStack::cleanChanged, action, follow);
    // The owner hears the command first, to store what was typed, then the history moves.
    QObject::connect(action, &QAction::triggered, menu, [run, history, undo] {
        run(undo ? kUndo : kRedo);
        undo ? history->undo() : history->redo();
    });
    return action;
}

// Names that would make the menu wider than the screen, in this screen's font, are cut when the
// menu opens, so that the shortcuts beside them show whole.
void FitToScreen(QMenu* menu, const QList<QAction*>& named)
{
    for (QAction* action : named)
        action->setText(action->data().toString());
    const int room = menu->parentWidget() ? menu->parentWidget()->window()->width() : 0;
    const QFontMetrics metrics(menu->font());
    for (QAction* action : named) {
        if (room <= 0 || menu->sizeHint().width() <= room)
            return;
        // The longest cut that fits, found by halving: the menu's own measure decides.
        const QString whole = action->text();
        int fits = 0;
        int fitsNot = metrics.horizontalAdvance(whole);
        while (fitsNot - fits > 2) {
            const int width = (fits + fitsNot) / 2;
            action->setText(metrics.elidedText(whole, Qt::ElideRight, width));
            (menu->sizeHint().width() <= room ? fits : fitsNot) = width;
        }
        action->setText(metrics.elidedText(whole, Qt::ElideRight, fits));
    }
}

} // namespace

QMenuBar* Build(QWidget* owner, std::function<void(int command)> run, bool homeScreen,
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
        QList<QAction*> named{AddHistoryCommand(menu, history, true, run),
                              AddHistoryCommand(menu, history, false, run)};
        auto* redoToo = new QAction(QStringLiteral("Redo"), owner);
        redoToo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        redoToo->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(redoToo, &QAction::triggered, named[1], &QAction::trigger);
        owner->addAction(redoToo);
        // The longer name is cut first.
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, named]() mutable {
            std::ranges::sort(named, [](QAction* a, QAction* b) {
                return a->data().toString().size() > b->data().toString().size();
            });
            FitToScreen(menu, named);
        });
        // The keys work while the menu is closed.
        owner->addActions(menu->actions());
        menu->addSeparator();
    }
    const std::pair<const char*, int> commands[] = {{"Preferences...", kPreferences},
                                                    {"Help", kHelp},
                                                    {"About", kAbout},
                                                    {"Export...", kExport},
                                                    {"Import Weights...", kImportWeights}};
    for (const auto& [text, command] : commands) {
        if ((command == kExport || command == kImportWeights) && !homeScreen)
            continue;
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::number(command));
        QObject::connect(action, &QAction::triggered, owner, [run, id = command] { run(id); });
    }
    return bar;
}

} // namespace ShellMenu
