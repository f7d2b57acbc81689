// The record of the user's own foods read from any bytes: every entry read is worked out as the
// log reads it (recipes within recipes, loops included) without a fault or a figure the store
// would refuse, and what was read, saved and read again is the same.
#include "FuzzSupport.h"

#include "data/OwnFoods.h"
#include "data/PalmDatabaseFile.h"
#include "data/RecordStream.h"

#include <cmath>

namespace {

// The bytes as record 0 of a database file, opened for reading.
void Load(const QByteArray& record, OwnFoods& foods)
{
    const QString path = Fuzz::Folder().filePath(QStringLiteral("my_foods.pdb"));
    QFile::remove(path);
    {
        PalmDatabaseFile file;
        Fuzz::Require(file.Create(path, QStringLiteral("- KLV My Foods"),
                                  PalmDatabaseFile::FourCC("QZRW"),
                                  PalmDatabaseFile::FourCC("food")) == DatabaseError::None,
                      "a database file is made");
        file.WriteRecord(0, record.constData(), int(record.size()));
        Fuzz::Require(file.Close() == DatabaseError::None, "a database file is written");
    }
    PalmDatabaseFile file;
    Fuzz::Require(file.OpenCopy(path) == DatabaseError::None, "a written file opens");
    RecordStream stream(file, 0);
    foods.Load(stream);
}

QByteArray Saved(const OwnFoods& foods)
{
    const QString path = Fuzz::Folder().filePath(QStringLiteral("saved.pdb"));
    QFile::remove(path);
    PalmDatabaseFile file;
    file.Create(path, QStringLiteral("- KLV My Foods"), PalmDatabaseFile::FourCC("QZRW"),
                PalmDatabaseFile::FourCC("food"));
    {
        RecordStream stream(file);
        stream.OpenNew(0);
        foods.Save(stream);
    }
    return file.ReadRecord(0).value_or(QByteArray());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    OwnFoods foods;
    Load(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), foods);
    const auto unknown = [](std::uint32_t id) {
        Food food;
        food.position = id;
        food.numbers.fill(Food::kNoValue);
        return food;
    };
    for (const auto& [id, entry] : foods.Entries()) {
        Fuzz::Require(OwnFoods::IsOwnId(id), "an id outside the own foods' range");
        const std::optional<Food> food = foods.FoodOf(id, unknown);
        Fuzz::Require(food.has_value(), "an entry without its food");
        for (double number : food->numbers)
            Fuzz::Require(std::isfinite(number) && (number >= 0 || number == Food::kNoValue),
                          "a figure the log cannot count");
        Fuzz::Require(int(entry.ingredients.size()) <= OwnFoods::kMaxIngredients,
                      "more ingredients than a recipe holds");
    }
    const QByteArray saved = Saved(foods);
    OwnFoods again;
    Load(saved, again);
    Fuzz::Require(again.Entries() == foods.Entries(), "saved own foods read back as saved");
    Fuzz::Require(Saved(again) == saved, "saving again changes the record");
    return 0;
}
