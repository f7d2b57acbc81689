#pragma once

#include <QLabel>

// A form's static text. Text too long for its rectangle ends in an ellipsis, on the last line
// that fits when it wraps, and shows whole as a tooltip; screen readers read the whole text, as
// it stays the label's own.
class StaticText final : public QLabel
{
    Q_OBJECT

public:
    explicit StaticText(const QString& text = {}, QWidget* parent = nullptr);

    // The lines as drawn: the text itself when it fits.
    QString ShownText() const;
    bool IsCut() const { return ShownText() != text(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;
};
