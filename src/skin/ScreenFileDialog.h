#pragma once

#include <QDialog>
#include <QTemporaryDir>

#include <memory>

class QFileDialog;

// The folder or file chooser of the emulated screen: Qt's own file dialog rather than the
// desktop's (which knows nothing of the screen), full-screen at the screen mode's scale, under a
// caption as every small dialog, and without the parts that cannot fit a 240-pixel-wide screen.
class ScreenFileDialog final : public QDialog
{
    Q_OBJECT

public:
    enum class Choose
    {
        Folder,
        File // an existing one, of the names `nameFilter` matches ("*.csv *.txt")
    };

    ScreenFileDialog(const QString& caption, const QString& folder, QWidget* parent = nullptr,
                     Choose choose = Choose::Folder, const QString& nameFilter = {});
    ~ScreenFileDialog() override;

    // The folder chosen, or empty when cancelled.
    static QString ChooseFolder(QWidget* parent, const QString& caption, const QString& folder);
    // The file chosen, or empty when cancelled.
    static QString ChooseFile(QWidget* parent, const QString& caption, const QString& folder,
                              const QString& nameFilter);

    QFileDialog* Files() const { return m_files.get(); }
    // The folder or file chosen.
    QString Selected() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Qt's file dialogs keep their layout and history in settings every Qt program shares. A
    // layout trimmed for the emulated screen must not reach them, and the program keeps no
    // settings of its own outside user.pdb: while this lives, those settings are a scratch copy.
    class SettingsAside final
    {
    public:
        SettingsAside();
        ~SettingsAside();
        SettingsAside(const SettingsAside&) = delete;
        SettingsAside& operator=(const SettingsAside&) = delete;

    private:
        QTemporaryDir m_folder;
    };

    SettingsAside m_aside; // before the file dialog, which reads them when made, writes when gone
    std::unique_ptr<QFileDialog> m_files;
};
