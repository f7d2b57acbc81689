#include "ReferenceWriter.h"

#include "data/AnsiCodec.h"
#include "data/PalmDatabaseFile.h"
#include "data/RecordStream.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace ReferenceWriter {

namespace {

constexpr qint64 kFoodRecordSize = 16384;
constexpr int kMaxRecords = 65535; // the record count is a 16-bit field

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

void PutWord(QByteArray& out, int value)
{
    char b[2];
    qToBigEndian(std::uint16_t(value), b);
    out.append(b, 2);
}

void PutLong(QByteArray& out, std::uint32_t value)
{
    char b[4];
    qToBigEndian(value, b);
    out.append(b, 4);
}

// A length byte and the text in the code page.
bool PutName(QByteArray& out, const QString& text, QString* error)
{
    const QByteArray bytes = AnsiCodec::Encode(text);
    if (bytes.size() > 255)
        return Fail(error, QStringLiteral("name longer than 255 bytes: %1").arg(text));
    out.append(char(bytes.size()));
    out.append(bytes);
    return true;
}

bool LessText(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// Writes a new database file through fill, replacing any file of that name only once the new
// one is complete.
bool WriteDatabase(const QString& path, const char16_t* name,
                   const std::function<bool(PalmDatabaseFile&)>& fill, QString* error)
{
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    PalmDatabaseFile file;
    if (file.Create(temporary, QString::fromUtf16(name), PalmDatabaseFile::FourCC("QZRW"),
                    PalmDatabaseFile::FourCC("data")) != DatabaseError::None)
        return Fail(error, QStringLiteral("%1: %2").arg(temporary, file.ErrorText()));
    if (!fill(file)) {
        file.CloseWithoutSaving();
        QFile::remove(temporary);
        return Fail(error, QStringLiteral("%1: more records than a database holds").arg(path));
    }
    if (file.Close() != DatabaseError::None)
        return Fail(error, QStringLiteral("%1: %2").arg(temporary, file.ErrorText()));
    // Reference files are for every user to read, unlike user.pdb.
    QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                         QFile::ReadOther);
    QFile::remove(path);
    if (!QFile::rename(temporary, path))
        return Fail(error, QStringLiteral("%1 cannot be replaced").arg(path));
    return true;
}

} // namespace

QByteArray EncodeNumber(std::optional<double> value)
{
    if (!value)
        return QByteArray(1, char(0xFF));
    const qint64 thousandths = std::llround(*value * 1000.0);
    if (thousandths == 0)
        return QByteArray(1, char(0xF0));
    QByteArray out;
    PutLong(out, std::uint32_t(std::clamp<qint64>(thousandths, 0, 0x7FFFFFFF)));
    return out;
}

bool FoodStream(const std::vector<ReferenceSources::FoodRow>& foods, QByteArray& stream,
                QString* error)
{
    using Row = ReferenceSources::FoodRow;
    struct Subgroup
    {
        QString name;
        std::vector<const Row*> foods;
    };
    struct Group
    {
        int code = 0;
        QString name;
        std::vector<Subgroup> subgroups;
    };

    // Group by code, then by subgroup name; both orders come from sorting below.
    std::map<int, std::map<QString, std::vector<const Row*>>> tree;
    std::map<int, QString> groupNames;
    for (const Row& food : foods) {
        tree[food.groupCode][food.subgroup].push_back(&food);
        groupNames[food.groupCode] = food.groupName;
    }
    std::vector<Group> groups;
    for (auto& [code, subgroups] : tree) {
        Group group{code, groupNames[code], {}};
        for (auto& [name, rows] : subgroups) {
            std::sort(rows.begin(), rows.end(),
                      [](const Row* a, const Row* b) { return LessText(a->name, b->name); });
            group.subgroups.push_back(Subgroup{name, rows});
        }
        std::sort(group.subgroups.begin(), group.subgroups.end(),
                  [](const Subgroup& a, const Subgroup& b) { return LessText(a.name, b.name); });
        if (group.subgroups.size() > 255)
            return Fail(error, QStringLiteral("group %1 has more than 255 subgroups").arg(code));
        groups.push_back(std::move(group));
    }
    if (groups.size() > 32767)
        return Fail(error, QStringLiteral("too many food groups"));

    // Sizes first, so that every position is known before anything is written.
    qint64 headerSize = 2 + 4 * qint64(groups.size());
    std::vector<qint64> groupPositions;
    for (const Group& group : groups) {
        groupPositions.push_back(headerSize);
        headerSize +=
            1 + AnsiCodec::Encode(group.name).size() + 2 + 4 * qint64(group.subgroups.size());
    }
    std::vector<std::vector<qint64>> subgroupPositions(groups.size());
    qint64 at = headerSize;
    for (size_t g = 0; g < groups.size(); ++g) {
        for (const Subgroup& subgroup : groups[g].subgroups) {
            if (subgroup.foods.size() > 32767)
                return Fail(error,
                            QStringLiteral("subgroup %1 has too many foods").arg(subgroup.name));
            subgroupPositions[g].push_back(at);
            at +=
                1 + AnsiCodec::Encode(subgroup.name).size() + 2 + 4 * qint64(subgroup.foods.size());
        }
    }

    // The food records, each remembering where it starts.
    QByteArray records;
    std::map<const Row*, qint64> foodPositions;
    for (const Group& group : groups) {
        for (size_t s = 0; s < group.subgroups.size(); ++s) {
            const Subgroup& subgroup = group.subgroups[s];
            for (size_t f = 0; f < subgroup.foods.size(); ++f) {
                const Row& food = *subgroup.foods[f];
                foodPositions[&food] = at + records.size();
                // Header values: USDA group code, subgroup number, number within the subgroup.
                records.append(char(group.code));
                records.append(char(s));
                PutWord(records, int(f));
                if (!PutName(records, food.name, error))
                    return false;
                for (const std::optional<double>& nutrient : food.nutrients)
                    records.append(EncodeNumber(nutrient));
                records.append(EncodeNumber(food.unitGrams[0]));
                if (!PutName(records, food.unitNames[0], error))
                    return false;
                records.append(EncodeNumber(food.unitGrams[1]));
                if (!PutName(records, food.unitNames[1], error))
                    return false;
            }
        }
    }
    if (at + records.size() > 0x7FFFFFFF)
        return Fail(error, QStringLiteral("the foods stream is too large"));

    stream.clear();
    PutWord(stream, int(groups.size()));
    for (qint64 position : groupPositions)
        PutLong(stream, std::uint32_t(position));
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!PutName(stream, groups[g].name, error))
            return false;
        PutWord(stream, int(groups[g].subgroups.size()));
        for (qint64 position : subgroupPositions[g])
            PutLong(stream, std::uint32_t(position));
    }
    for (const Group& group : groups) {
        for (const Subgroup& subgroup : group.subgroups) {
            if (!PutName(stream, subgroup.name, error))
                return false;
            PutWord(stream, int(subgroup.foods.size()));
            for (const Row* food : subgroup.foods)
                PutLong(stream, std::uint32_t(foodPositions[food]));
        }
    }
    stream.append(records);
    return true;
}

bool WriteFoods(const std::vector<ReferenceSources::FoodRow>& foods, const QString& path,
                QString* error)
{
    QByteArray stream;
    if (!FoodStream(foods, stream, error))
        return false;
    return WriteDatabase(
        path, u"- KLV Foods Database",
        [&](PalmDatabaseFile& file) {
            int record = 0;
            for (qint64 at = 0; at < stream.size(); at += kFoodRecordSize, ++record) {
                if (record >= kMaxRecords)
                    return false;
                const QByteArray bytes = stream.mid(at, kFoodRecordSize);
                file.WriteRecord(record, bytes.constData(), int(bytes.size()));
            }
            return true;
        },
        error);
}

bool WriteExercises(const std::vector<ReferenceSources::ExerciseRow>& exercises,
                    const QString& path, QString* error)
{
    // Records 1.. are the exercises in file order; a group is the run of its rows.
    struct Group
    {
        QString name;
        int first;
        int last;
    };
    std::vector<Group> groups;
    int record = 1;
    for (const ReferenceSources::ExerciseRow& exercise : exercises) {
        if (groups.empty() || groups.back().name != exercise.group) {
            for (const Group& group : groups) {
                if (group.name == exercise.group)
                    return Fail(error, QStringLiteral("%1: the exercises of %2 are not together")
                                           .arg(path, exercise.group));
            }
            groups.push_back(Group{exercise.group, record, record});
        } else {
            groups.back().last = record;
        }
        ++record;
    }
    return WriteDatabase(
        path, u"- KLV Exercises Database",
        [&](PalmDatabaseFile& file) {
            if (record > kMaxRecords)
                return false;
            RecordStream stream(file);
            stream.OpenNew(0);
            stream.WriteInt16(int(groups.size()));
            for (size_t g = 0; g < groups.size(); ++g) {
                stream.WriteInt16(int(g) + 1); // group value: its number, from 1
                stream.WriteText(groups[g].name);
                stream.WriteInt16(groups[g].first);
                stream.WriteInt16(groups[g].last);
            }
            for (size_t i = 0; i < exercises.size(); ++i) {
                stream.OpenNew(int(i) + 1);
                stream.WriteInt16(exercises[i].code); // leading value: the Compendium code
                stream.WriteText(exercises[i].shortName);
                // The program takes a fitness item's calories as quarter hours x figure / 4:
                // the stored figure is per hour, four times the 15-minute figure.
                for (int kcal : exercises[i].kcal15)
                    stream.WriteInt16(kcal * 4);
            }
            stream.Flush();
            return true;
        },
        error);
}

bool WriteTips(const QStringList& tips, const QString& path, QString* error)
{
    return WriteDatabase(
        path, u"- KLV Tips Database",
        [&](PalmDatabaseFile& file) {
            if (tips.size() > kMaxRecords)
                return false;
            RecordStream stream(file);
            for (int i = 0; i < tips.size(); ++i) {
                stream.OpenNew(i);
                stream.WriteText(tips[i]);
            }
            stream.Flush();
            return true;
        },
        error);
}

bool WriteHelp(const std::vector<ReferenceSources::HelpTopic>& topics, const QString& path,
               QString* error)
{
    return WriteDatabase(
        path, u"- KLV Text Database",
        [&](PalmDatabaseFile& file) {
            if (topics.size() > 100)
                return false;
            RecordStream stream(file);
            stream.OpenNew(0);
            stream.WriteInt16(int(topics.size()));
            for (const ReferenceSources::HelpTopic& topic : topics)
                stream.WriteText(topic.title);
            for (size_t i = 0; i < topics.size(); ++i) {
                stream.OpenNew(int(i) + 1);
                stream.WriteText(topics[i].text);
            }
            stream.Flush();
            return true;
        },
        error);
}

bool WriteAll(const ReferenceSources& sources, const QString& folder, QString* error)
{
    const QDir dir(folder);
    return WriteFoods(sources.foods, dir.filePath(QStringLiteral("food_data.pdb")), error) &&
           WriteExercises(sources.exercises, dir.filePath(QStringLiteral("fitness_data.pdb")),
                          error) &&
           WriteTips(sources.tips, dir.filePath(QStringLiteral("tips.pdb")), error) &&
           WriteHelp(sources.help, dir.filePath(QStringLiteral("text.pdb")), error);
}

} // namespace ReferenceWriter
