#pragma once

#include <QAccessibleWidget>

class BmpButtonImpl;

// What a screen reader finds of a bitmap button: a push button named after what it does, or,
// without a listener, a picture (the home header, the title images).
class BmpButtonAccessible final : public QAccessibleWidget
{
public:
    explicit BmpButtonAccessible(BmpButtonImpl* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    // The words for a button's name: "add.fav" says "Add to Favorites", a page's "title" image
    // the page ("food" section: "Food Log"). A name of no table entry is spelled out plainly.
    static QString SpokenName(const QString& section, const QString& name);

private:
    BmpButtonImpl* Button() const;
};
