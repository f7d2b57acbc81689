#include "data/DaySummary.h"
#include "data/FavoriteItem.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/Log.h"
#include "data/RecordStream.h"
#include "data/WeightItem.h"

std::unique_ptr<Item> Item::Create(ItemKind kind, TimeBase::Stamp day)
{
    switch (kind) {
    case FitnessKind:
        return std::make_unique<FitnessItem>(day);
    case FoodKind:
        return std::make_unique<FoodItem>(day);
    case JournalKind:
        return std::make_unique<JournalItem>(day);
    case FavoriteExerciseKind:
    case FavoriteFoodKind:
        return std::make_unique<FavoriteItem>(kind, day);
    case WeightKind:
        return std::make_unique<WeightItem>(day);
    default:
        Store::Log(Store::Error, "Unknown item kind: %d", int(kind));
        return nullptr;
    }
}

bool Item::Load(RecordStream& stream)
{
    m_day = stream.ReadUInt32();
    m_reference = stream.ReadUInt32();
    LoadFields(stream);
    return stream.Ok();
}

void Item::Save(RecordStream& stream) const
{
    stream.WriteUInt32(m_day);
    stream.WriteUInt32(m_reference);
    SaveFields(stream);
}

void FitnessItem::LoadFields(RecordStream& stream)
{
    m_duration = stream.ReadInt16();
}
void FitnessItem::SaveFields(RecordStream& stream) const
{
    stream.WriteInt16(m_duration);
}

void FoodItem::LoadFields(RecordStream& stream)
{
    m_quantity = stream.ReadInt16();
    m_unit = stream.ReadInt16();
}

void FoodItem::SaveFields(RecordStream& stream) const
{
    stream.WriteInt16(m_quantity);
    stream.WriteInt16(m_unit);
}

void JournalItem::LoadFields(RecordStream& stream)
{
    m_posted = stream.ReadBool();
    m_subject = stream.ReadText();
    m_body = stream.ReadText();
}

void JournalItem::SaveFields(RecordStream& stream) const
{
    stream.WriteBool(m_posted);
    stream.WriteText(m_subject);
    stream.WriteText(m_body);
}

void WeightItem::LoadFields(RecordStream& stream)
{
    m_kilograms = stream.ReadFloat();
}
void WeightItem::SaveFields(RecordStream& stream) const
{
    stream.WriteFloat(m_kilograms);
}

std::int32_t DaySummary::Value(int field) const
{
    if (field < 0 || field >= FieldCount) {
        Store::Log(Store::Error, "Unknown field: %d", field);
        return 0;
    }
    return m_values[field];
}

void DaySummary::SetValue(int field, std::int32_t value)
{
    if (field >= 0 && field < FieldCount)
        m_values[field] = value;
}
