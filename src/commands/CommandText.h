#pragma once

#include <QString>

// The names of edits as the Undo and Redo entries show them ("Add Cheddar Cheese").
namespace CommandText {

// `verb` and the item's name, cut short after a word ("...") so that the menu's entries fit
// the narrowest screen.
QString Named(const QString& verb, const QString& name);
// "Delete Cheddar Cheese" for one item, "Delete 2 Items" for more.
QString Deleted(int count, const QString& firstName);
// "Copy Cheddar Cheese" for one item, "Copy 2 Items" for more.
QString Copied(int count, const QString& firstName);

} // namespace CommandText
