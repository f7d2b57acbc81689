#include "ReferenceSources.h"

#include "export/CsvReader.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <map>
#include <set>
#include <utility>

namespace {

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool ReadText(const QString& path, QString& text, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
    text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return true;
}

// Looks up the columns a file must have; false naming the first that is missing.
bool Columns(const CsvReader& csv, const QStringList& names, std::vector<int>& out,
             const QString& path, QString* error)
{
    out.clear();
    for (const QString& name : names) {
        const int column = csv.Column(name);
        if (column < 0)
            return Fail(error, QStringLiteral("%1: no column %2").arg(path, name));
        out.push_back(column);
    }
    return true;
}

} // namespace

bool ReferenceSources::Load(const QString& folder, QString* error)
{
    const QDir dir(folder);
    return LoadFoods(dir.filePath(QStringLiteral("foods.csv")), foods, error) &&
           LoadExercises(dir.filePath(QStringLiteral("exercises.csv")),
                         dir.filePath(QStringLiteral("exercise_names.csv")), exercises, error) &&
           LoadTips(dir.filePath(QStringLiteral("tips.txt")), tips, error) &&
           LoadHelp(dir.filePath(QStringLiteral("help")), help, error);
}

void ReferenceSources::KeepFoodSample(int groups, int subgroups, int foodsEach)
{
    std::map<int, std::set<QString>> subgroupsOf;
    std::map<std::pair<int, QString>, int> foodsIn;
    std::vector<FoodRow> kept;
    for (FoodRow& food : foods) {
        if (!subgroupsOf.count(food.groupCode) && int(subgroupsOf.size()) == groups)
            continue;
        std::set<QString>& known = subgroupsOf[food.groupCode];
        if (!known.count(food.subgroup) && int(known.size()) == subgroups)
            continue;
        known.insert(food.subgroup);
        if (foodsIn[{food.groupCode, food.subgroup}]++ < foodsEach)
            kept.push_back(std::move(food));
    }
    foods = std::move(kept);
}

bool ReferenceSources::LoadFoods(const QString& path, std::vector<FoodRow>& out, QString* error)
{
    CsvReader csv;
    if (!csv.Read(path, error))
        return false;
    std::vector<int> c;
    if (!Columns(csv,
                 {"group_code", "group_name", "subgroup", "usda_id", "name", "kcal", "fat",
                  "satfat", "cholesterol_mg", "sodium_mg", "carbs", "fiber", "sugars", "protein",
                  "unit1_name", "unit1_grams", "unit2_name", "unit2_grams"},
                 c, path, error))
        return false;
    out.clear();
    int line = 1;
    for (const QStringList& row : csv.Rows()) {
        ++line;
        auto bad = [&](const char* what) {
            return Fail(error, QStringLiteral("%1: row %2: %3").arg(path).arg(line).arg(what));
        };
        FoodRow food;
        bool ok = false;
        food.groupCode = row[c[0]].toInt(&ok);
        if (!ok || food.groupCode < 0 || food.groupCode > 255)
            return bad("group_code is not a number from 0 to 255");
        food.groupName = row[c[1]];
        food.subgroup = row[c[2]];
        food.usdaId = row[c[3]];
        food.name = row[c[4]];
        for (int n = 0; n < 9; ++n) {
            const QString cell = row[c[5 + n]].trimmed();
            if (cell.isEmpty())
                continue; // unknown
            const double value = cell.toDouble(&ok);
            if (!ok || value < 0)
                return bad("a nutrient value is not a number of 0 or more");
            food.nutrients[size_t(n)] = value;
        }
        for (int u = 0; u < 2; ++u) {
            food.unitNames[size_t(u)] = row[c[14 + 2 * u]];
            food.unitGrams[size_t(u)] = row[c[15 + 2 * u]].toDouble(&ok);
            if (!ok || food.unitGrams[size_t(u)] <= 0)
                return bad("a unit weight is not a positive number");
        }
        out.push_back(std::move(food));
    }
    return true;
}

bool ReferenceSources::LoadExercises(const QString& path, const QString& namesPath,
                                     std::vector<ExerciseRow>& out, QString* error)
{
    CsvReader names;
    if (!names.Read(namesPath, error))
        return false;
    std::vector<int> nc;
    if (!Columns(names, {"code", "name"}, nc, namesPath, error))
        return false;
    QHash<QString, QString> shortNames;
    for (const QStringList& row : names.Rows())
        shortNames.insert(row[nc[0]], row[nc[1]]);

    CsvReader csv;
    if (!csv.Read(path, error))
        return false;
    std::vector<int> c;
    if (!Columns(
            csv,
            {"group", "code", "activity", "met", "kcal15_class0", "kcal15_class1", "kcal15_class2"},
            c, path, error))
        return false;
    out.clear();
    for (const QStringList& row : csv.Rows()) {
        ExerciseRow exercise;
        exercise.group = row[c[0]];
        bool ok = false;
        exercise.code = row[c[1]].toInt(&ok);
        if (!ok || exercise.code < 0 || exercise.code > 32767)
            return Fail(error,
                        QStringLiteral("%1: code %2 does not fit 16 bits").arg(path, row[c[1]]));
        exercise.activity = row[c[2]];
        exercise.met = row[c[3]].toDouble();
        for (int k = 0; k < 3; ++k) {
            exercise.kcal15[size_t(k)] = row[c[4 + k]].toInt(&ok);
            if (!ok || exercise.kcal15[size_t(k)] < 0 || exercise.kcal15[size_t(k)] > 8191)
                return Fail(error,
                            QStringLiteral("%1: code %2: bad calorie figure").arg(path, row[c[1]]));
        }
        exercise.shortName = shortNames.value(row[c[1]]);
        if (exercise.shortName.isEmpty())
            return Fail(error,
                        QStringLiteral("%1: no short name for code %2").arg(namesPath, row[c[1]]));
        out.push_back(std::move(exercise));
    }
    return true;
}

bool ReferenceSources::LoadTips(const QString& path, QStringList& out, QString* error)
{
    QString text;
    if (!ReadText(path, text, error))
        return false;
    out.clear();
    for (const QString& line : text.split(u'\n')) {
        const QString tip = line.trimmed();
        if (!tip.isEmpty() && !tip.startsWith(u'#'))
            out.append(tip);
    }
    if (out.isEmpty())
        return Fail(error, QStringLiteral("%1: no tips").arg(path));
    return true;
}

bool ReferenceSources::LoadHelp(const QString& folder, std::vector<HelpTopic>& out, QString* error)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return Fail(error, QStringLiteral("%1: no help topics").arg(folder));
    out.clear();
    for (const QString& name : files) {
        QString text;
        if (!ReadText(dir.filePath(name), text, error))
            return false;
        const qsizetype end = text.indexOf(u'\n');
        HelpTopic topic;
        topic.title = text.left(end).trimmed();
        topic.text = end < 0 ? QString() : text.mid(end + 1).trimmed();
        if (topic.title.isEmpty() || topic.text.isEmpty())
            return Fail(
                error,
                QStringLiteral("%1: a title line and a text are needed").arg(dir.filePath(name)));
        out.push_back(std::move(topic));
    }
    return true;
}
