#pragma once

#include <QLineEdit>

// A field for a number, whose validator (what it takes) its form gives it. While it holds only
// the default "0", it selects it whenever it takes the focus, by a tap too, so that typing
// replaces the 0 rather than following it ("035").
class NumberField final : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SelectLoneZero();

    bool m_tapFocused = false;
};
