#pragma once

#include "data/PalmDatabaseFile.h"

#include <QString>
#include <QStringList>

// The help texts: record 0 names the topics, record k holds the text of topic k - 1.
class TextIndex final
{
public:
    static constexpr int kMaxTopics = 100;

    TextIndex() = default;
    TextIndex(const TextIndex&) = delete;
    TextIndex& operator=(const TextIndex&) = delete;

    // Opens the file read-only and reads the topic names: the container's error when it cannot
    // be opened.
    DatabaseError Open(const QString& path);
    bool IsOpen() const { return m_file.IsOpen(); }

    int TopicCount() const { return int(m_names.size()); }
    // Both are empty for a topic the index does not have.
    QString TopicName(int topic) const;
    QString TopicText(int topic) const;

private:
    mutable PalmDatabaseFile m_file;
    QStringList m_names;
};
