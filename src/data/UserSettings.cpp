#include "data/UserSettings.h"

#include "data/RecordStream.h"

void UserSettings::Load(RecordStream& stream)
{
    m_lastExerciseGroup = stream.ReadInt16();
    m_lastFoodGroup = stream.ReadInt16();
    m_tipCounter = stream.ReadInt16();
    m_tipDay = stream.ReadUInt32();
    m_metric = stream.ReadUInt16();
    m_changed = false;
}

void UserSettings::Save(RecordStream& stream) const
{
    stream.WriteInt16(m_lastExerciseGroup);
    stream.WriteInt16(m_lastFoodGroup);
    stream.WriteInt16(m_tipCounter);
    stream.WriteUInt32(m_tipDay);
    stream.WriteInt16(std::int32_t(m_metric));
}
