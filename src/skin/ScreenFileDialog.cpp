#include "skin/ScreenFileDialog.h"

#include "skin/DeviceScreen.h"
#include "skin/SmallDialog.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeView>

ScreenFileDialog::SettingsAside::SettingsAside()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
}

ScreenFileDialog::SettingsAside::~SettingsAside()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

ScreenFileDialog::ScreenFileDialog(const QString& caption, const QString& folder, QWidget* parent,
                                   Choose choose, const QString& nameFilter)
    : QDialog(parent), m_files(std::make_unique<QFileDialog>(this, caption, folder))
{
    setObjectName(QStringLiteral("ScreenFileDialog"));
    setWindowTitle(caption);
    SmallDialog::AddCaption(this);

    m_files->setWindowFlags(Qt::Widget); // a part of this dialog, not a window of its own
    m_files->setOption(QFileDialog::DontUseNativeDialog);
    if (choose == Choose::Folder) {
        m_files->setFileMode(QFileDialog::Directory);
        m_files->setOption(QFileDialog::ShowDirsOnly);
    } else {
        m_files->setFileMode(QFileDialog::ExistingFile);
        m_files->setNameFilter(nameFilter);
    }
    m_files->setViewMode(QFileDialog::Detail);
    m_files->setSizeGripEnabled(false);
    // The places list, the view switches, the history arrows and the type list (of one entry):
    // without them the rest fits 240 pixels across; the list and "up" remain.
    for (const char* part : {"sidebar", "listModeButton", "detailModeButton", "backButton",
                             "forwardButton", "fileTypeLabel", "fileTypeCombo"}) {
        if (auto* widget = m_files->findChild<QWidget*>(QLatin1String(part)))
            widget->hide();
    }
    // A size, type and date say little on so narrow a screen; the name gets the width.
    if (auto* tree = m_files->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        for (int column = 1; column < header->count(); ++column)
            header->setSectionHidden(column, true);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    connect(m_files.get(), &QDialog::finished, this, &QDialog::done);
    DeviceScreen::Instance().Apply(this);
}

ScreenFileDialog::~ScreenFileDialog() = default;

QString ScreenFileDialog::ChooseFolder(QWidget* parent, const QString& caption,
                                       const QString& folder)
{
    ScreenFileDialog dialog(caption, folder, parent);
    return dialog.exec() == Accepted ? dialog.Selected() : QString();
}

QString ScreenFileDialog::ChooseFile(QWidget* parent, const QString& caption, const QString& folder,
                                     const QString& nameFilter)
{
    ScreenFileDialog dialog(caption, folder, parent, Choose::File, nameFilter);
    return dialog.exec() == Accepted ? dialog.Selected() : QString();
}

QString ScreenFileDialog::Selected() const
{
    const QStringList chosen = m_files->selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void ScreenFileDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_files->setGeometry(SmallDialog::CaptionedClient(this));
}
