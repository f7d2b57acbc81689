#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class ExerciseDatabase;
class FoodDatabase;
class FoodIndex;
class ItemGroup;

// Every name of a reference database, kept ready for finding by typed words: each typed word
// must begin a word of the name, or lie inside one when it has three letters or more, ignoring
// case and accents, in any order, with a plural "s" on either side tolerated. Built once; a
// search reads only memory.
class NameFinder final
{
public:
    // One name found. The views point into the finder and live as long as it does.
    struct Match
    {
        std::uint32_t record = 0; // food stream position or exercise record number
        int group = 0;            // in the database's own group list (no "Favorites")
        int subgroup = 0;         // a food's subgroup; 0 for an exercise
        bool favorite = false;
        QStringView name;
        QStringView groupName;
    };

    NameFinder() = default;

    // Every food of the index, named as the foods database names it; a damaged food is listed
    // under the placeholder name, as in its subgroup. Moves the stream's cursor.
    static NameFinder ForFoods(FoodDatabase& database, const FoodIndex& index);
    static NameFinder ForExercises(const ExerciseDatabase& database);
    // Records and their names, all of one group.
    static NameFinder ForNames(const std::vector<std::pair<std::uint32_t, QString>>& names,
                               const QString& groupName);

    // The names that match every typed word, best first: favorites (records the group lists),
    // then the name that is the typed words, names whose first word is a typed word, names with
    // a typed word elsewhere, names whose words the typed ones only begin, names they only lie
    // inside; within each, names whose first word a typed word begins, then fewer words, then
    // alphabetical. Text with no word in it finds nothing. A limit of 0 or less returns every
    // match.
    std::vector<Match> Find(QStringView typed, const ItemGroup* favorites = nullptr,
                            int limit = 0) const;

    int Count() const { return int(m_entries.size()); }
    QStringList GroupNames() const { return m_groupNames; }

private:
    struct Entry
    {
        std::uint32_t record;
        std::uint32_t nameAt; // into m_names
        std::uint32_t keyAt;  // into m_keys
        std::uint32_t rank;   // alphabetical place among all entries
        std::uint16_t group;
        std::uint16_t subgroup;
        std::uint8_t words;
    };
    struct Source
    {
        std::uint32_t record;
        int group;
        int subgroup;
        QString name;
    };

    static NameFinder Build(std::vector<Source> sources, QStringList groupNames,
                            const std::function<QString(std::uint32_t)>& nameOf);
    QStringView NameOf(size_t entry) const;
    QByteArrayView KeyOf(size_t entry) const;

    std::vector<Entry> m_entries; // in record order
    QString m_names;              // display names, end to end
    QByteArray m_keys;            // folded names (UTF-8, words split by one space), end to end
    QStringList m_groupNames;
};
