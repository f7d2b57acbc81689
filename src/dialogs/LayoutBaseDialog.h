#pragma once

#include "skin/ShellMenu.h"
#include "vocabulary/EventListener.h"
#include "vocabulary/PageHost.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

class BottomButtonsContainer;
class ButtomNavigation;
class DialogServices;
class Page;
class QAction;
class QMenuBar;
class QUndoStack;
class TitleBarControl;

// The full-screen dialog every page runs in: title bar, content, bottom buttons and navigation,
// top to bottom, below the "Menu" menu. It knows nothing of pages beyond Page: it lets the page
// fill the bands through PageHost and hands it every event of its controls.
class LayoutBaseDialog final : public QDialog, public PageHost, public EventListener
{
    Q_OBJECT

public:
    // Menu command identifiers.
    static constexpr int kPreferencesCommand = ShellMenu::kPreferences;
    static constexpr int kHelpCommand = ShellMenu::kHelp;
    static constexpr int kAboutCommand = ShellMenu::kAbout;
    static constexpr int kUndoCommand = ShellMenu::kUndo;
    static constexpr int kRedoCommand = ShellMenu::kRedo;

    // Without `services` a nested dialog uses its parent dialog's, any other the fallback ones.
    // `history`: the undo stack of the session's edits, whose Undo and Redo the menu offers.
    explicit LayoutBaseDialog(QWidget* parent = nullptr, DialogServices* services = nullptr,
                              QUndoStack* history = nullptr);
    ~LayoutBaseDialog() override;

    // Runs the dialog modally, unless the page already closed it while attaching. A loop ended
    // from outside (the program ending) leaves the page keeping what was typed.
    int Run();

    // PageHost
    void SetSection(const QString& section) override;
    void SetBottomButton(int slot, const QString& name) override;
    ContentControl* SetContent(const QString& name) override;
    void SetTitleButton(int index, const QString& name) override;
    void SetDate(TimeBase::Stamp date) override;
    TimeBase::Stamp GetDate() const override;
    void SetPage(Page* page) override;
    int RunSubPage(Page* page) override;
    void Close() override;
    void ShowMessage(const QString& caption, const QString& text) override;
    // The page's help topic, if it has one.
    void ShowHelp() override;
    void AddMenuCommand(const QString& text, const QString& event) override;

    // EventListener
    int OnEvent(const QString& name, QWidget* sender) override;

    void RunMenuCommand(int command);

    Page* CurrentPage() const { return m_page; }
    QWidget* Content() const { return m_content; }
    QRect ClientRect() const;
    TitleBarControl* TitleBar() const { return m_title; }
    BottomButtonsContainer* BottomPanel() const { return m_bottom; }
    ButtomNavigation* Navigation() const { return m_navigation; }
    QMenuBar* MenuBar() const { return m_menuBar; }

    // Runs a sub-page's nested dialog, which inherits it; tests replace it so that no modal
    // loop blocks them. Empty runs the dialog modally.
    std::function<void(LayoutBaseDialog& nested)> runSubPageDialog;

public slots:
    // OK (Ctrl+Return): the page hears "dialogApplied" and is detached. Cancel leaves it
    // attached.
    void accept() override;
    void done(int result) override;

protected:
    // Closed from the desktop: the page keeps what was typed, as "done" would.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    QRect ContentRect() const;
    void DestroyContent();
    void FocusContent();
    void DetachPage();
    // The page makes what is typed and not yet stored an edit ("applyEdits").
    void ApplyEdits();
    // The page hears "windowClosing" and is detached, with no message shown meanwhile.
    void KeepPage();

    Page* m_page = nullptr;
    bool m_attached = false;
    DialogServices* m_services;
    QUndoStack* m_history = nullptr;
    QMetaObject::Connection m_fieldLeft;
    QMenuBar* m_menuBar;
    std::vector<QAction*> m_pageCommands; // the current page's, in the menu
    QPointer<QWidget> m_content;
    ContentControl* m_contentControl = nullptr;
    BottomButtonsContainer* m_bottom;
    ButtomNavigation* m_navigation;
    TitleBarControl* m_title;
    int m_eventDepth = 0; // events being handled: content may not be deleted under its feet
    bool m_closed = false;
    bool m_ended = false;   // done() ended the modal loop
    bool m_keeping = false; // the page is kept as the window goes: nothing more is shown
};
