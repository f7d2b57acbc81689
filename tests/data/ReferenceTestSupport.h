#pragma once

#include "TestSupport.h"
#include "data/PalmDatabaseFile.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <vector>

// Helpers for the reference database tests: databases written from raw records.
namespace ReferenceTest {

inline QString DamagedFile(const char* name)
{
    return QStringLiteral(NUTRAVA_TEST_DATA "/reference/") + QString::fromLatin1(name);
}

inline QString GeneratedFile(const char* name)
{
    return QDir(QStringLiteral(NUTRAVA_REFERENCE_DIR)).filePath(QString::fromLatin1(name));
}

inline void WriteDatabase(const QString& path, const QString& name,
                          const std::vector<QByteArray>& records)
{
    PalmDatabaseFile file;
    file.Create(path, name, PalmDatabaseFile::FourCC("QZRW"), PalmDatabaseFile::FourCC("data"));
    for (size_t i = 0; i < records.size(); ++i)
        file.WriteRecord(int(i), records[i].constData(), int(records[i].size()));
    file.Close();
}

inline QByteArray Word(int value)
{
    const char bytes[2] = {char((value >> 8) & 0xFF), char(value & 0xFF)};
    return QByteArray(bytes, 2);
}

inline QByteArray Text(const char* text)
{
    return QByteArray(text) + '\0';
}

// An exercise record: its code, name and the calories of the three weight classes.
inline QByteArray ExerciseRecord(const char* name, int class0, int class1, int class2)
{
    return Word(12020) + Text(name) + Word(class0) + Word(class1) + Word(class2);
}

// An entry of the exercises' group index: a group's value, title and run of records.
inline QByteArray GroupEntry(int value, const char* name, int first, int last)
{
    return Word(value) + Text(name) + Word(first) + Word(last);
}

// Names parameterised cases after the damaged file they read.
template <class Param> std::string FileTestName(const ::testing::TestParamInfo<Param>& info)
{
    const std::string name = info.param.file;
    return name.substr(0, name.find('.'));
}

} // namespace ReferenceTest
