#pragma once

#include "data/Food.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

class RecordStream;

// The user's own foods and recipes ("My Foods"), kept in a file of their own beside user.pdb so
// that user.pdb stays as the handheld writes it. Log items and favorites refer to them by ids far
// above any position a foods file can hold (its 65,535 records of 16 KB end below 2^30), so a
// reader without this file shows its placeholder for an unknown food.
// A deleted food leaves the lookup but stays here while anything refers to it: the days it was
// logged on keep their figures.
class OwnFoods final
{
public:
    static constexpr std::uint32_t kFirstId = 0xF0000000u;
    static constexpr std::uint32_t kLastId = 0xFEFFFFFFu; // quick entries start above
    static bool IsOwnId(std::uint32_t id) { return id >= kFirstId && id <= kLastId; }
    static constexpr int kMaxNameLength = 60;
    static constexpr int kMaxUnitLength = 20;
    static constexpr double kMaxGrams = 10000;    // of a unit
    static constexpr double kMaxPer100g = 100000; // any figure per 100 g (sodium is in mg)
    static constexpr double kMinServings = 0.001;
    static constexpr double kMaxServings = 1000;
    static constexpr double kMaxAmount = 10000; // of an ingredient, in its units
    static constexpr int kMaxIngredients = 100;
    // Recipes within recipes: deeper ones count nothing, so a loop ends.
    static constexpr int kMaxNesting = 8;
    // Ingredients read for one recipe's figures, all depths together: a file made to nest
    // recipes a hundredfold at every depth cannot stall the log.
    static constexpr int kMaxVisits = 10000;

    // The figures the food record holds, as Food numbers up to Protein.
    static constexpr int kFigureCount = Food::Protein + 1;

    struct Ingredient
    {
        std::uint32_t food = 0;
        int unit = 0;      // the food's first or second unit
        double amount = 1; // of that unit
        bool operator==(const Ingredient&) const = default;
    };

    // N figures, none of them known: a figure added later starts unknown, not at 0.
    template <std::size_t N> static constexpr std::array<double, N> Unknown()
    {
        std::array<double, N> figures{};
        figures.fill(Food::kNoValue);
        return figures;
    }

    struct Entry
    {
        QString name;
        bool deleted = false;
        // A food: its units and their weights, and its figures per 100 g (Food::kNoValue where
        // unknown). A recipe: the servings its ingredients make.
        std::array<QString, 2> units;
        std::array<double, 2> unitGrams = Unknown<2>();
        std::array<double, kFigureCount> figures = Unknown<kFigureCount>();
        double servings = 0; // above 0 for a recipe
        std::vector<Ingredient> ingredients;

        bool IsRecipe() const { return servings > 0; }
        bool operator==(const Entry&) const = default;
    };

    using FoodSource = std::function<Food(std::uint32_t id)>;

    OwnFoods();

    const Entry* Find(std::uint32_t id) const;
    // The food as the log reads it. A recipe is one unit, "serving", whose figures are the sums of
    // its ingredients (read through `others`) divided by its servings. None for an id no entry has.
    std::optional<Food> FoodOf(std::uint32_t id, const FoodSource& others) const;
    // An id no entry has had in this run.
    std::uint32_t NextId() const;
    // Puts the entry under the id; an empty optional removes it.
    void Set(std::uint32_t id, const std::optional<Entry>& entry);
    int Count() const { return int(m_entries.size()); }
    const std::map<std::uint32_t, Entry>& Entries() const { return m_entries; }
    // The foods the lookup shows, by name.
    std::vector<std::pair<std::uint32_t, QString>> Shown() const;
    // Drops deleted entries nothing refers to (the ids in `used`, and other entries' ingredients).
    void KeepReferenced(const std::set<std::uint32_t>& used);

    // Whether the food lookup last showed "My Foods"; the user settings keep the reference
    // groups only, as the handheld reads them.
    bool LookupShowsMine() const { return m_lookupShowsMine; }
    void SetLookupShowsMine(bool mine);

    // Grows with every change of an entry, so that figures kept elsewhere know to read again.
    std::uint64_t Revision() const { return m_revision; }

    // True when something changed since the last MarkSaved.
    bool Changed() const { return m_changed; }
    void MarkSaved() { m_changed = false; }
    void MarkChanged() { m_changed = true; }

    // A record that ends inside an entry keeps the whole entries before it and returns false.
    bool Load(RecordStream& stream);
    void Save(RecordStream& stream) const;

private:
    Food Compute(std::uint32_t id, const Entry& entry, const FoodSource& others) const;

    static constexpr std::uint32_t kVersion = 1;
    std::map<std::uint32_t, Entry> m_entries;
    std::uint32_t m_unused = kFirstId; // above every id put or loaded; 0 once past the last
    bool m_lookupShowsMine = false;
    bool m_changed = false;
    std::uint64_t m_revision = 0;
    // Recipes' figures, worked out once per change of any entry.
    mutable std::map<std::uint32_t, Food> m_recipes;
    mutable std::set<std::uint32_t> m_computing;
    mutable int m_budget = 0;
    mutable bool m_cut = false;
};
