#pragma once

#include "skin/ShellMenu.h"
#include "vocabulary/EventListener.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class BmpButtonImpl;
class DialogServices;
class LayoutBaseDialog;
class Page;
class QMenuBar;
class Session;
class UserDatabase;

// The main window: a header picture and five entries. It owns the pages and runs the chosen one
// in its own layout base dialog, committing the store each time a page is left.
class HomeDialog final : public QDialog, public EventListener
{
    Q_OBJECT

public:
    static constexpr int kPreferencesCommand = ShellMenu::kPreferences;
    static constexpr int kHelpCommand = ShellMenu::kHelp;
    static constexpr int kAboutCommand = ShellMenu::kAbout;
    static constexpr int kExportCommand = ShellMenu::kExport;
    static constexpr int kImportWeightsCommand = ShellMenu::kImportWeights;

    // The session has a store; it outlives the home screen and the pages.
    HomeDialog(Session& session, std::vector<std::unique_ptr<Page>> pages, DialogServices& services,
               QWidget* parent = nullptr);
    ~HomeDialog() override;

    int OnEvent(const QString& name, QWidget* sender) override;
    void RunMenuCommand(int command);

    // Which page an entry opens and which tile gets the focus back after it.
    struct Entry
    {
        QString page;
        QString button;
    };
    static Entry EntryFor(const QString& event, bool profileComplete);

    BmpButtonImpl* Button(const QString& name) const;
    QMenuBar* MenuBar() const { return m_menuBar; }

    // Runs a page's dialog; tests replace it so that no modal loop blocks them.
    std::function<void(LayoutBaseDialog& dialog)> runPageDialog;
    // Asks for the folder "Export..." writes into (empty: cancelled); tests answer it.
    std::function<QString(QWidget* parent)> askExportFolder;
    // Asks for the file "Import Weights..." reads (empty: cancelled); tests answer it.
    std::function<QString(QWidget* parent)> askWeightsFile;

    // The tile an arrow key leads to from `from`, or none: the nearest tile lying wholly on that
    // side, those level with `from` across the direction first.
    BmpButtonImpl* TileTowards(const BmpButtonImpl* from, int key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void LayOut();
    void RunEntry(const QString& event);
    void ExportLogs();
    void ImportWeights();

    Session& m_session;
    UserDatabase& m_store;
    DialogServices& m_services;
    std::vector<std::unique_ptr<Page>> m_pages;
    QMenuBar* m_menuBar = nullptr;
    std::vector<BmpButtonImpl*> m_buttons;
    bool m_shown = false;
    bool m_closing = false; // the window was closed: no page may follow
};
