#pragma once

#include <QLineEdit>
#include <QPointer>

class EventListener;

// The lookups' field for finding an item by typing words of its name. A letter or digit typed
// anywhere in the watched area starts a find there; Escape empties a field that holds text
// (and is left to the dialog otherwise). Every change of the text is announced, the emptying
// too, which is the lookup's cue to show its groups again.
class FindField final : public QLineEdit
{
    Q_OBJECT

public:
    static const QString kAccessibleName;
    // Long enough for any name of the reference databases.
    static constexpr int kMaxLength = 80;

    explicit FindField(QWidget* parent = nullptr);

    // Raises "findChanged", with this field as the sender, on every change of the text.
    void SetListener(EventListener* listener) { m_listener = listener; }
    // Typing a letter or digit in this widget or any widget inside it, now or added later,
    // goes to the field.
    void WatchTyping(QWidget* area);

signals:
    void FindChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QWidget* widget);
    void OnTextChanged(const QString& text);

    EventListener* m_listener = nullptr;
    QPointer<QWidget> m_area;
};
