#pragma once

#include "data/Item.h"

// A favorite exercise or food: the day it was added and the exercise or food id.
class FavoriteItem final : public Item
{
public:
    FavoriteItem(ItemKind kind, TimeBase::Stamp day) : Item(kind, day) {}
};
