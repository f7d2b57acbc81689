#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

// The eleven help topics; a tap, or Return on the selected one, opens it.
class HelpIndexDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit HelpIndexDialog(QWidget* parent);

    static QStringList Entries();
    QListWidget* List() const { return m_list; }

    // Runs the help of a topic: the owner's help dialog, or a test's record of the tap.
    std::function<void(int topic, QWidget* parent)> showTopic;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OpenLater();

    QListWidget* m_list = nullptr;
    QPushButton* m_done = nullptr;
};
