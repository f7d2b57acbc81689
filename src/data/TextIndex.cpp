#include "data/TextIndex.h"

#include "data/Log.h"
#include "data/RecordStream.h"

DatabaseError TextIndex::Open(const QString& path)
{
    m_names.clear();
    const DatabaseError opened = m_file.Open(path, false);
    if (opened != DatabaseError::None) {
        m_file.CloseWithoutSaving();
        return opened;
    }
    RecordStream stream(m_file, 0);
    const int count = stream.ReadInt16();
    if (count > kMaxTopics)
        Store::Log(Store::Warning, "Text database lists %d topics; the first %d are used", count,
                   kMaxTopics);
    for (int i = 0; i < count && i < kMaxTopics; ++i) {
        const QString name = stream.ReadText();
        if (!stream.Ok())
            break;
        m_names.append(name);
    }
    return DatabaseError::None;
}

QString TextIndex::TopicName(int topic) const
{
    return topic >= 0 && topic < TopicCount() ? m_names[topic] : QString();
}

QString TextIndex::TopicText(int topic) const
{
    if (topic < 0 || topic >= TopicCount())
        return QString();
    RecordStream stream(m_file, topic + 1);
    return stream.ReadText();
}
