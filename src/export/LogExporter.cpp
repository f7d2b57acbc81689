#include "export/LogExporter.h"

#include "data/DatabaseFolders.h"
#include "data/DaySummaries.h"
#include "data/DaySummary.h"
#include "data/ExerciseDatabase.h"
#include "data/FitnessItem.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/FoodItem.h"
#include "data/JournalItem.h"
#include "data/OwnFoods.h"
#include "data/QuickEntries.h"
#include "data/ReferenceDatabases.h"
#include "data/ReferenceValues.h"
#include "data/UserDatabase.h"
#include "data/UserProfile.h"
#include "data/WeightItem.h"
#include "export/CsvWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <numeric>

namespace {

enum FileIndex
{
    FoodsFile,
    ExercisesFile,
    WeightsFile,
    JournalFile,
    DaysFile,
    MyFoodsFile,
    FileCount
};
const char* const kFileNames[FileCount] = {"foods.csv",   "exercises.csv", "weights.csv",
                                           "journal.csv", "days.csv",      "my_foods.csv"};

// What the export reads of the store besides the user's own lists, taken in this one place.
struct ReferenceFiles
{
    ReferenceDatabases& all; // foods and quick entries by id
    const ExerciseDatabase* exercises;
    const FoodIndex* index;
};
ReferenceFiles ReferencesOf(UserDatabase& store)
{
    ReferenceDatabases& references = store.References();
    return {references, references.Exercises(), references.Index()};
}

QString Date(TimeBase::Stamp day)
{
    return TimeBase::ToDate(day).toString(Qt::ISODate);
}

// At most `decimals` decimals, without trailing zeros.
QString Decimal(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"-0" ? QStringLiteral("0") : text;
}

// "Carbs (g)" and so on, after calories.
QStringList NutrientHeaders(int first)
{
    QStringList headers;
    for (int n = first; n < UserProfile::kNutrientCount; ++n)
        headers << (n == 0 ? UserProfile::NutrientName(n)
                           : UserProfile::NutrientName(n) + QStringLiteral(" (g)"));
    return headers;
}

// The items in date order; the items of one day keep the order they were logged in.
template <class T> std::vector<const T*> ByDate(const ItemList& list)
{
    std::vector<const T*> items;
    items.reserve(size_t(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.ItemAt<T>(i));
    std::stable_sort(items.begin(), items.end(),
                     [](const T* a, const T* b) { return a->Day() < b->Day(); });
    return items;
}

QByteArray FoodsCsv(const ItemList& log, const ReferenceFiles& references,
                    const DayValueSource& values)
{
    QHash<std::uint32_t, QString> groupOf;
    if (references.index) {
        for (const FoodIndex::Group& group : references.index->Groups()) {
            for (const FoodIndex::Subgroup& subgroup : group.subgroups) {
                for (std::uint32_t position : subgroup.foods)
                    groupOf.insert(position, group.name);
            }
        }
    }
    QHash<std::uint32_t, Food> foods;

    CsvWriter csv;
    csv.WriteRow(
        QStringList({QStringLiteral("Date"), QStringLiteral("Food"), QStringLiteral("Group"),
                     QStringLiteral("Quantity"), QStringLiteral("Unit"), QStringLiteral("Grams")}) +
        NutrientHeaders(0));
    for (const FoodItem* item : ByDate<FoodItem>(log)) {
        auto food = foods.constFind(item->FoodId());
        if (food == foods.constEnd())
            food = foods.insert(item->FoodId(), references.all.FoodAt(item->FoodId()));
        const int unit = item->UnitIndex() == 0 ? 0 : 1;
        const int portions = item->QuantityIndex() + 1;
        const double grams = food->UnitGrams(unit);
        // A quick entry's or a recipe's serving has no weight the user gave.
        const bool quick = QuickEntries::IsQuickId(item->FoodId());
        const bool own = OwnFoods::IsOwnId(item->FoodId());
        const OwnFoods::Entry* mine = own ? references.all.MyFoods().Find(item->FoodId()) : nullptr;
        const bool servingOnly = quick || (mine && mine->IsRecipe());
        QStringList row = {Date(item->Day()),
                           food->name,
                           quick ? QStringLiteral("Quick Add")
                           : own ? QStringLiteral("My Foods")
                                 : groupOf.value(item->FoodId()),
                           QString::number(portions),
                           food->units[size_t(unit)],
                           grams < 0 || servingOnly ? QString() : Decimal(portions * grams, 3)};
        // A figure the foods database does not know (-1) is no figure, whatever the amount
        // comes to: a small portion of it truncates to 0.
        for (int n = 0; n < UserProfile::kNutrientCount; ++n) {
            const bool known = grams >= 0 && food->numbers[size_t(Food::NumberOfValue(n))] >= 0;
            row << (known ? QString::number(values.FoodValue(*item, n)) : QString());
        }
        csv.WriteRow(row);
    }
    return csv.Data();
}

QByteArray ExercisesCsv(const ItemList& log, const ReferenceFiles& references,
                        const DayValueSource& values)
{
    CsvWriter csv;
    csv.WriteRow({QStringLiteral("Date"), QStringLiteral("Exercise"), QStringLiteral("Minutes"),
                  QStringLiteral("Calories")});
    for (const FitnessItem* item : ByDate<FitnessItem>(log)) {
        csv.WriteRow({Date(item->Day()),
                      references.exercises
                          ? references.exercises->ExerciseName(int(item->ExerciseId()))
                          : QString(),
                      QString::number(UserProfile::QuarterHours(item->DurationIndex()) * 15),
                      QString::number(values.ExerciseCalories(*item))});
    }
    return csv.Data();
}

QByteArray WeightsCsv(const ItemList& weights)
{
    CsvWriter csv;
    csv.WriteRow({QStringLiteral("Date"), QStringLiteral("Kilograms"), QStringLiteral("Pounds")});
    for (const WeightItem* item : ByDate<WeightItem>(weights)) {
        const float kilograms = item->Kilograms();
        csv.WriteRow({Date(item->Day()), Decimal(kilograms, 2),
                      Decimal(UserProfile::WeightForDisplay(kilograms, false), 2)});
    }
    return csv.Data();
}

QByteArray JournalCsv(const ItemList& journal)
{
    CsvWriter csv;
    csv.WriteRow({QStringLiteral("Date"), QStringLiteral("Subject"), QStringLiteral("Body"),
                  QStringLiteral("Posted")});
    for (const JournalItem* item : ByDate<JournalItem>(journal)) {
        csv.WriteRow({Date(item->Day()), item->Subject(), item->Body(),
                      item->Posted() ? QStringLiteral("yes") : QStringLiteral("no")});
    }
    return csv.Data();
}

// The user's own foods and recipes as they are defined, deleted ones that days still use too:
// a food's figures per 100 g, a recipe's per serving with what it is made of.
QByteArray MyFoodsCsv(const ReferenceFiles& references)
{
    const OwnFoods& mine = references.all.MyFoods();
    CsvWriter csv;
    QStringList header = {QStringLiteral("Name"),        QStringLiteral("Kind"),
                          QStringLiteral("Unit"),        QStringLiteral("Unit Grams"),
                          QStringLiteral("Second Unit"), QStringLiteral("Second Unit Grams"),
                          QStringLiteral("Servings"),    QStringLiteral("Ingredients"),
                          QStringLiteral("Figures Per")};
    header << QStringLiteral("Calories") << QStringLiteral("Fat (g)")
           << QStringLiteral("Saturated Fat (g)") << QStringLiteral("Cholesterol (mg)")
           << QStringLiteral("Sodium (mg)") << QStringLiteral("Carbs (g)")
           << QStringLiteral("Fiber (g)") << QStringLiteral("Sugars (g)")
           << QStringLiteral("Protein (g)") << QStringLiteral("Deleted");
    csv.WriteRow(header);
    for (const auto& [id, entry] : mine.Entries()) {
        const Food food = references.all.FoodAt(id);
        QStringList parts;
        for (const OwnFoods::Ingredient& ingredient : entry.ingredients) {
            const Food part = references.all.FoodAt(ingredient.food);
            parts << QStringLiteral("%1 %2 %3")
                         .arg(Decimal(ingredient.amount, 3),
                              part.units[ingredient.unit == 0 ? 0 : 1], part.name);
        }
        const bool recipe = entry.IsRecipe();
        auto grams = [](double value) { return value >= 0 ? Decimal(value, 3) : QString(); };
        QStringList row = {entry.name,
                           recipe ? QStringLiteral("Recipe") : QStringLiteral("Food"),
                           recipe ? QString() : entry.units[0],
                           recipe ? QString() : grams(entry.unitGrams[0]),
                           recipe ? QString() : entry.units[1],
                           recipe ? QString() : grams(entry.unitGrams[1]),
                           recipe ? Decimal(entry.servings, 3) : QString(),
                           parts.join(QStringLiteral("; ")),
                           recipe ? QStringLiteral("serving") : QStringLiteral("100 g")};
        for (int n = 0; n < OwnFoods::kFigureCount; ++n)
            row << grams(food.numbers[size_t(n)]);
        row << (entry.deleted ? QStringLiteral("yes") : QStringLiteral("no"));
        csv.WriteRow(row);
    }
    return csv.Data();
}

// The day summaries' sums with exercise left out: their net calories are the calories eaten.
class FoodValuesOnly final : public DayValueSource
{
public:
    explicit FoodValuesOnly(const DayValueSource& values) : m_values(values) {}
    std::int32_t ExerciseCalories(const FitnessItem&) const override { return 0; }
    std::int32_t FoodValue(const FoodItem& item, int field) const override
    {
        return m_values.FoodValue(item, field);
    }

private:
    const DayValueSource& m_values;
};

QByteArray DaysCsv(const UserDatabase& store, const DayValueSource& values)
{
    ItemList summaries(DaySummaryKind);
    BuildDaySummaries(store, summaries, &values);
    ItemList eaten(DaySummaryKind);
    const FoodValuesOnly foodValues(values);
    BuildDaySummaries(store, eaten, &foodValues);

    std::vector<int> order(size_t(summaries.Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&summaries](int a, int b) {
        return summaries.At(a)->Day() < summaries.At(b)->Day();
    });
    // The goal of today's profile; an incomplete profile has none.
    const UserProfile& profile = store.Profile();
    const QString goal =
        profile.IsComplete() ? QString::number(profile.DailyCalorieGoal()) : QString();

    CsvWriter csv;
    csv.WriteRow(QStringList({QStringLiteral("Date"), QStringLiteral("Calories Consumed"),
                              QStringLiteral("Calories Burned"), QStringLiteral("Net Calories")}) +
                 NutrientHeaders(1) + QStringList(QStringLiteral("Daily Caloric Goal")));
    for (int i : order) {
        const auto* summary = summaries.ItemAt<DaySummary>(i);
        const std::int32_t consumed = eaten.ItemAt<DaySummary>(i)->Value(DaySummary::NetCalories);
        const std::int32_t net = summary->Value(DaySummary::NetCalories);
        // Wraps as the summaries' own 32-bit sums do.
        const auto burned = std::int32_t(std::uint32_t(consumed) - std::uint32_t(net));
        QStringList row = {Date(summary->Day()), QString::number(consumed), QString::number(burned),
                           QString::number(net)};
        for (int field = DaySummary::Carbs; field < DaySummary::FieldCount; ++field)
            row << QString::number(summary->Value(field));
        row << goal;
        csv.WriteRow(row);
    }
    return csv.Data();
}

QString Native(const QString& folder)
{
    return QDir::toNativeSeparators(QDir(folder).absolutePath());
}

} // namespace

LogExporter::LogExporter(UserDatabase& store) : m_store(store) {}

QStringList LogExporter::FileNames()
{
    QStringList names;
    for (const char* name : kFileNames)
        names << QString::fromLatin1(name);
    return names;
}

QString LogExporter::Problem() const
{
    const DatabaseError error = m_store.Error();
    // Such a store runs on defaults: exporting them would pass an empty diary off as the user's.
    if (error == DatabaseError::Locked || error == DatabaseError::CannotOpen ||
        error == DatabaseError::Damaged)
        return QStringLiteral("Nothing was exported. %1").arg(m_store.StateText());
    if (!m_store.References().CanRun())
        return QStringLiteral("Nothing was exported. %1")
            .arg(m_store.References().StartupProblem());
    return {};
}

std::vector<LogExporter::File> LogExporter::Build() const
{
    const ReferenceFiles references = ReferencesOf(m_store);
    // The values the day summaries are built from, so that days.csv adds up the other files.
    const ReferenceValues values(references.all, references.exercises, m_store.Profile());
    std::vector<File> files(FileCount);
    for (int i = 0; i < FileCount; ++i)
        files[size_t(i)].name = QString::fromLatin1(kFileNames[i]);
    files[FoodsFile].data = FoodsCsv(m_store.FoodLog(), references, values);
    files[ExercisesFile].data = ExercisesCsv(m_store.FitnessLog(), references, values);
    files[WeightsFile].data = WeightsCsv(m_store.Weights());
    files[JournalFile].data = JournalCsv(m_store.Journal());
    files[DaysFile].data = DaysCsv(m_store, values);
    files[MyFoodsFile].data = MyFoodsCsv(references);
    return files;
}

LogExporter::Result LogExporter::WriteTo(const QString& folder, bool replace,
                                         QString* message) const
{
    QString ignored;
    QString& said = message ? *message : ignored;
    if (const QString problem = Problem(); !problem.isEmpty()) {
        said = problem;
        return NotRead;
    }
    const std::vector<File> files = Build();

    const QString shown = Native(folder);
    const QDir target(folder);
    const bool made = !target.exists();
    if (made && !QDir().mkpath(folder)) {
        said = QStringLiteral("The folder %1 cannot be made; nothing was exported.").arg(shown);
        return NotWritten;
    }
    QStringList present;
    for (const File& file : files) {
        if (QFileInfo::exists(target.filePath(file.name)))
            present << file.name;
    }
    if (!present.isEmpty() && !replace) {
        said = QStringLiteral("%1 already holds %2; nothing was exported (--force replaces them).")
                   .arg(shown, present.join(QStringLiteral(", ")));
        return NotWritten;
    }

    // Beside the files it becomes, so that moving them in is a rename on one file system.
    auto temporary =
        std::make_unique<QTemporaryDir>(target.filePath(QStringLiteral(".nutrava-export-XXXXXX")));
    auto fail = [&](const QString& why) {
        temporary.reset();
        if (made)
            QDir().rmdir(folder);
        said = QStringLiteral("The folder %1 cannot be written (%2); nothing was exported.")
                   .arg(shown, why);
        return NotWritten;
    };
    if (!temporary->isValid())
        return fail(temporary->errorString());
    for (const File& file : files) {
        QFile out(temporary->filePath(file.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            out.write(file.data) != file.data.size() || !out.flush())
            return fail(out.errorString());
    }
    for (const File& file : files) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(temporary->filePath(file.name)).toStdString(),
                                QFile::encodeName(target.filePath(file.name)).toStdString(), error);
        if (error) {
            said = QStringLiteral("The files could not all be moved into %1 (%2).")
                       .arg(shown, QString::fromStdString(error.message()));
            return NotWritten;
        }
    }
    said = QStringLiteral("Your logs were exported to %1: %2.")
               .arg(shown, FileNames().join(QStringLiteral(", ")));
    return Exported;
}

LogExporter::Result LogExporter::Export(const DatabaseFolders& folders, const QString& folder,
                                        bool replace, QString* message)
{
    UserDatabase store(folders, UserDatabase::OpenMode::ReadCopy);
    return LogExporter(store).WriteTo(folder, replace, message);
}

QString LogExporter::NewFolderIn(const QString& parent, const QDate& day)
{
    const QString base = QStringLiteral("Nutrava export %1").arg(day.toString(Qt::ISODate));
    const QDir dir(parent);
    QString name = base;
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return dir.filePath(name);
}
