#pragma once

#include <QMessageBox>

// Every message the program shows: plain text in the screen mode's font, no wider than the
// emulated screen and centred on it. A path in the text wraps only after one of its separators.
class ScreenMessageBox final : public QMessageBox
{
    Q_OBJECT

public:
    ScreenMessageBox(Icon icon, const QString& caption, const QString& text,
                     QWidget* parent = nullptr);

    // One message with an OK button, run modally.
    static void Show(QWidget* parent, Icon icon, const QString& caption, const QString& text);

    // Words holding a "/" become paths that may break after a separator and nowhere else.
    static QString BreakPathsAtSeparators(const QString& text);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ScaleIcon();
    void FitScreen();
};
