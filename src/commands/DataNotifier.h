#pragma once

#include "data/Item.h"
#include "data/TimeBase.h"

#include <QObject>

// What an edit, its undo or its redo changed, for the pages that show it. A list change is
// announced per day for the days whose items it touched, then for the list as a whole.
class DataNotifier final : public QObject
{
    Q_OBJECT

signals:
    void dayChanged(ItemKind kind, TimeBase::Stamp day);
    void listChanged(ItemKind kind);
    void profileChanged();
    void settingsChanged();
};
