#pragma once

#include <QAbstractButton>
#include <QString>

class EventListener;
class QPainter;

// A skinned button. Its name is the event it raises, the text it may draw and part of the keys
// of its bitmaps ("{section}/{name}/up", "/down", "/focus"). Without a listener it is a passive
// picture: it takes no focus and lets taps through. The empty name hides it.
class BmpButtonImpl final : public QAbstractButton
{
    Q_OBJECT

public:
    // `id` becomes the object name.
    BmpButtonImpl(bool drawText, QWidget* parent, int id);

    void SetListener(EventListener* listener);
    EventListener* Listener() const { return m_listener; }
    void SetSection(const QString& section);
    QString Section() const { return m_section; }
    void SetName(const QString& name);
    QString Name() const { return m_name; }
    bool DrawsText() const { return m_drawText; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Pressed();
    // No artwork under any key: the section's colour and the name.
    void PaintPlainButton(QPainter& painter, const QRect& area) const;

    QString m_name;
    QString m_section;
    EventListener* m_listener = nullptr;
    const bool m_drawText;
};
