#include "data/TextIndex.h"

#include "data/Log.h"
#include "data/RecordStream.h"

bool TextIndex::Open(const QString& path)
{
    m_names.clear();
    if (m_file.Open(path, false) != PalmDatabaseFile::Ok) {
        m_file.CloseWithoutSaving();
        return false;
    }
    RecordStream stream(m_file, 0);
    const int count = stream.ReadInt16();
    if (count > kMaxTopics)
        Store::Log(Store::Warning, "Text database lists %d topics; the first %d are used", count,
                   kMaxTopics);
    for (int i = 0; i < count && i < kMaxTopics && !stream.AtEnd(); ++i)
        m_names.append(stream.ReadText());
    return true;
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
