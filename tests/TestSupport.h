#pragma once

#include "data/DatabaseError.h"
#include "data/DayValueSource.h"
#include "data/FitnessItem.h"
#include "data/FoodItem.h"
#include "data/Log.h"
#include "data/UserDatabase.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

// Shared helpers of the test suites.
namespace TestSupport {

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Lets modal loops run again after QCoreApplication::exit() (the program's end) left every later
// one returning at once: only an exec() of the application clears that.
inline void ResumeEventLoops()
{
    QTimer::singleShot(0, [] { QCoreApplication::exit(); });
    QCoreApplication::exec();
}

// Appends a new item of the list's kind.
template <class T = Item> T* Add(ItemList& list, TimeBase::Stamp day = 0)
{
    return static_cast<T*>(list.Append(UserDatabase::CreateItem(list.Kind(), day)));
}

inline QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// Values straight from the items: an exercise burns its id in calories, and every value of a
// food is its id, read as signed (-1: not in the reference data).
class IdValues final : public DayValueSource
{
public:
    std::int32_t ExerciseCalories(const FitnessItem& item) const override
    {
        return std::int32_t(item.ExerciseId());
    }
    std::int32_t FoodValue(const FoodItem& item, int) const override
    {
        return std::int32_t(item.FoodId());
    }
};

// Containers damaged in every way the reader must refuse (tests/data/broken).
inline const char* const kBrokenContainers[] = {"truncated_header.pdb", "entries_past_end.pdb",
                                                "count_huge.pdb",       "offset_inside_entries.pdb",
                                                "offset_past_end.pdb",  "offsets_out_of_order.pdb"};

inline std::string BrokenFileTestName(const ::testing::TestParamInfo<const char*>& info)
{
    const std::string name = info.param;
    return name.substr(0, name.find('.'));
}

// A disk that takes no more than `bytes` per file while the object lives: writes past it fail.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool IsSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_set = false;
};

// Collects the store's diagnostics while it lives.
class LogCapture final
{
public:
    LogCapture()
    {
        Store::SetLogSink([this](int, const QString& message) { m_messages << message; });
    }
    ~LogCapture() { Store::SetLogSink(nullptr); }
    const QStringList& Messages() const { return m_messages; }

private:
    QStringList m_messages;
};

} // namespace TestSupport

// Failures name the error rather than its number.
inline void PrintTo(DatabaseError error, std::ostream* out)
{
    *out << DatabaseErrorName(error);
}
