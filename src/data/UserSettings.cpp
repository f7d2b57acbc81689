#include "data/UserSettings.h"

#include "data/RecordStream.h"

bool UserSettings::Load(RecordStream& stream)
{
    UserSettings read;
    read.m_lastExerciseGroup = stream.ReadInt16();
    read.m_lastFoodGroup = stream.ReadInt16();
    read.m_tipCounter = stream.ReadInt16();
    read.m_tipDay = stream.ReadUInt32();
    read.m_metric = stream.ReadUInt16();
    if (!stream.Ok())
        return false;
    *this = read;
    return true;
}

void UserSettings::Save(RecordStream& stream) const
{
    stream.WriteInt16(m_lastExerciseGroup);
    stream.WriteInt16(m_lastFoodGroup);
    stream.WriteInt16(m_tipCounter);
    stream.WriteUInt32(m_tipDay);
    stream.WriteInt16(std::int32_t(m_metric));
}
