#include "data/OwnFoods.h"

#include "data/Log.h"
#include "data/RecordStream.h"

#include <QCollator>

#include <algorithm>
#include <cmath>

namespace {

// A stored figure the program would not have written is no figure.
double Figure(float value, double maximum)
{
    return std::isfinite(value) && value >= 0 && value <= maximum ? double(value) : Food::kNoValue;
}

// Names in UTF-8, unlike the handheld's records: this file is ours alone.
void WriteName(RecordStream& stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8().left(1000);
    stream.WriteInt16(std::int32_t(bytes.size()));
    stream.Write(bytes.constData(), int(bytes.size()));
}

QString ReadName(RecordStream& stream, int maxLength)
{
    const std::uint32_t length = stream.ReadUInt16();
    // A length past what the record holds fails the read below; past what we write fails here.
    QByteArray bytes(qsizetype(std::min<std::uint32_t>(length, 1000)), '\0');
    if (!stream.Read(bytes.data(), length > 1000 ? -1 : int(length)))
        return {};
    return QString::fromUtf8(bytes).left(maxLength);
}

} // namespace

OwnFoods::OwnFoods() = default;

const OwnFoods::Entry* OwnFoods::Find(std::uint32_t id) const
{
    const auto it = m_entries.find(id);
    return it == m_entries.end() ? nullptr : &it->second;
}

std::optional<Food> OwnFoods::FoodOf(std::uint32_t id, const FoodSource& others) const
{
    const Entry* entry = Find(id);
    if (!entry)
        return std::nullopt;
    if (!entry->IsRecipe())
        return Compute(id, *entry, others);
    if (const auto cached = m_recipes.find(id); cached != m_recipes.end())
        return cached->second;
    const bool top = m_computing.empty();
    if (top)
        m_budget = kMaxVisits;
    // A figure cut short by a loop or the budget holds only on this path: not kept.
    const bool outerCut = m_cut;
    m_cut = false;
    Food food = Compute(id, *entry, others);
    if (!m_cut)
        m_recipes.emplace(id, food);
    m_cut = !top && (outerCut || m_cut);
    return food;
}

Food OwnFoods::Compute(std::uint32_t id, const Entry& entry, const FoodSource& others) const
{
    Food food;
    food.position = id;
    food.name = entry.name;
    food.numbers.fill(Food::kNoValue);
    if (!entry.IsRecipe()) {
        std::copy(entry.figures.begin(), entry.figures.end(), food.numbers.begin());
        food.units = entry.units;
        food.numbers[Food::FirstUnitGrams] = entry.unitGrams[0];
        food.numbers[Food::SecondUnitGrams] = entry.unitGrams[1];
        // One unit given: the second is the same.
        if (food.units[1].isEmpty()) {
            food.units[1] = food.units[0];
            food.numbers[Food::SecondUnitGrams] = entry.unitGrams[0];
        }
        return food;
    }
    // A serving "of 100 g", so that the figures per 100 g are the serving's own, as for a
    // quick entry. A figure no ingredient knows stays unknown; one some know sums those.
    food.units = {QStringLiteral("serving"), QStringLiteral("serving")};
    food.numbers[Food::FirstUnitGrams] = 100;
    food.numbers[Food::SecondUnitGrams] = 100;
    if (m_computing.count(id) || int(m_computing.size()) >= kMaxNesting) {
        m_cut = true;
        return food; // a recipe within itself, or nested past reason: counts nothing
    }
    m_computing.insert(id);
    for (const Ingredient& ingredient : entry.ingredients) {
        if (--m_budget < 0) {
            m_cut = true;
            break;
        }
        const Food part = IsOwnId(ingredient.food)
                              ? FoodOf(ingredient.food, others).value_or(Food{})
                              : others(ingredient.food);
        const double grams = part.UnitGrams(ingredient.unit == 0 ? 0 : 1);
        if (!(grams > 0))
            continue;
        for (int n = 0; n < kFigureCount; ++n) {
            const double per100 = part.numbers[size_t(n)];
            if (!(per100 >= 0))
                continue;
            double& sum = food.numbers[size_t(n)];
            sum = std::max(sum, 0.0) + ingredient.amount * per100 * grams * 0.01 / entry.servings;
        }
    }
    m_computing.erase(id);
    return food;
}

std::uint32_t OwnFoods::NextId() const
{
    if (m_unused != 0)
        return m_unused;
    std::uint32_t id = kFirstId;
    while (m_entries.count(id) && id < kLastId)
        ++id;
    return id;
}

void OwnFoods::Set(std::uint32_t id, const std::optional<Entry>& entry)
{
    if (!IsOwnId(id))
        return;
    if (entry)
        m_entries[id] = *entry;
    else
        m_entries.erase(id);
    if (m_unused != 0 && id >= m_unused)
        m_unused = id < kLastId ? id + 1 : 0;
    m_recipes.clear();
    m_changed = true;
    ++m_revision;
}

std::vector<std::pair<std::uint32_t, QString>> OwnFoods::Shown() const
{
    std::vector<std::pair<std::uint32_t, QString>> shown;
    for (const auto& [id, entry] : m_entries) {
        if (!entry.deleted)
            shown.emplace_back(id, entry.name);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(shown.begin(), shown.end(), [&collator](const auto& a, const auto& b) {
        return collator.compare(a.second, b.second) < 0;
    });
    return shown;
}

void OwnFoods::KeepReferenced(const std::set<std::uint32_t>& used)
{
    std::set<std::uint32_t> kept = used;
    for (const auto& [id, entry] : m_entries) {
        if (!entry.deleted)
            kept.insert(id);
    }
    // Ingredients of kept recipes are kept, to any depth.
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [id, entry] : m_entries) {
            if (!kept.count(id))
                continue;
            for (const Ingredient& ingredient : entry.ingredients)
                grew |= IsOwnId(ingredient.food) && kept.insert(ingredient.food).second;
        }
    }
    const auto dropped =
        std::erase_if(m_entries, [&](const auto& entry) { return !kept.count(entry.first); });
    if (dropped > 0) {
        m_recipes.clear();
        m_changed = true;
        ++m_revision;
    }
}

void OwnFoods::SetLookupShowsMine(bool mine)
{
    if (mine != m_lookupShowsMine) {
        m_lookupShowsMine = mine;
        m_changed = true;
    }
}

bool OwnFoods::Load(RecordStream& stream)
{
    m_entries.clear();
    m_recipes.clear();
    ++m_revision;
    const std::uint32_t version = stream.ReadUInt16();
    const std::uint32_t flags = stream.ReadUInt32();
    const std::uint32_t count = stream.ReadUInt32();
    if (!stream.Ok() || version != kVersion) {
        Store::Log(Store::Warning, "The own foods record is damaged or of another version");
        return false;
    }
    m_lookupShowsMine = (flags & 1) != 0;
    // The count is never trusted: each entry must be read whole.
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t id = stream.ReadUInt32();
        const std::uint32_t kind = stream.ReadUInt16();
        Entry entry;
        entry.deleted = (kind & 2) != 0;
        entry.name = ReadName(stream, kMaxNameLength);
        if (kind & 1) {
            entry.servings = Figure(stream.ReadFloat(), kMaxServings);
            if (entry.servings < kMinServings)
                entry.servings = 1; // still a recipe
            const std::uint32_t ingredients = stream.ReadUInt16();
            for (std::uint32_t k = 0; k < ingredients && stream.Ok(); ++k) {
                Ingredient ingredient;
                ingredient.food = stream.ReadUInt32();
                ingredient.unit = stream.ReadUInt16() == 0 ? 0 : 1;
                ingredient.amount = Figure(stream.ReadFloat(), kMaxAmount);
                if (ingredient.amount > 0 && int(entry.ingredients.size()) < kMaxIngredients)
                    entry.ingredients.push_back(ingredient);
            }
        } else {
            for (int u = 0; u < 2; ++u) {
                entry.units[size_t(u)] = ReadName(stream, kMaxUnitLength);
                entry.unitGrams[size_t(u)] = Figure(stream.ReadFloat(), kMaxGrams);
            }
            for (double& figure : entry.figures)
                figure = Figure(stream.ReadFloat(), kMaxPer100g);
        }
        if (!stream.Ok()) {
            Store::Log(Store::Warning, "The own foods record ends inside food %u", i);
            return false;
        }
        if (IsOwnId(id)) {
            m_entries[id] = entry;
            if (m_unused != 0 && id >= m_unused)
                m_unused = id < kLastId ? id + 1 : 0;
        }
    }
    return true;
}

void OwnFoods::Save(RecordStream& stream) const
{
    stream.WriteInt16(std::int32_t(kVersion));
    stream.WriteUInt32(m_lookupShowsMine ? 1 : 0);
    stream.WriteUInt32(std::uint32_t(m_entries.size()));
    for (const auto& [id, entry] : m_entries) {
        stream.WriteUInt32(id);
        stream.WriteInt16((entry.IsRecipe() ? 1 : 0) | (entry.deleted ? 2 : 0));
        WriteName(stream, entry.name);
        if (entry.IsRecipe()) {
            stream.WriteFloat(float(entry.servings));
            stream.WriteInt16(std::int32_t(entry.ingredients.size()));
            for (const Ingredient& ingredient : entry.ingredients) {
                stream.WriteUInt32(ingredient.food);
                stream.WriteInt16(ingredient.unit);
                stream.WriteFloat(float(ingredient.amount));
            }
        } else {
            for (int u = 0; u < 2; ++u) {
                WriteName(stream, entry.units[size_t(u)]);
                stream.WriteFloat(float(entry.unitGrams[size_t(u)]));
            }
            for (double figure : entry.figures)
                stream.WriteFloat(float(figure));
        }
    }
}
