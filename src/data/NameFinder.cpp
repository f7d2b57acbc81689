#include "data/NameFinder.h"

#include "data/ExerciseDatabase.h"
#include "data/FoodDatabase.h"
#include "data/FoodIndex.h"
#include "data/ItemGroup.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

bool IsMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// The words of a text, lower-case and without accents, each followed by one space, in UTF-8:
// "Crème brûlée, 2%" gives "creme brulee 2 ". Letters and digits make words; anything else
// parts them.
void AppendFolded(QStringView text, QByteArray& out)
{
    const auto ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c < u'\x80'; });
    if (ascii) { // nearly every name: no need for the Unicode tables
        const qsizetype start = out.size();
        out.resize(start + text.size() + 1);
        char* const begin = out.data() + start;
        char* at = begin;
        for (const QChar qc : text) {
            char c = char(qc.unicode());
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                *at++ = c;
            else if (at != begin && at[-1] != ' ')
                *at++ = ' ';
        }
        if (at != begin && at[-1] != ' ')
            *at++ = ' ';
        out.truncate(start + (at - begin));
        return;
    }
    // Compatibility decomposition splits accents (and ligatures such as "ﬁ") from their
    // letters; the marks are then dropped.
    const QString decomposed =
        text.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString word;
    for (const char32_t c : QStringView(decomposed).toUcs4()) {
        if (IsMark(c))
            continue;
        if (QChar::isLetterOrNumber(c)) {
            if (QChar::requiresSurrogates(c)) {
                word.append(QChar(QChar::highSurrogate(c)));
                word.append(QChar(QChar::lowSurrogate(c)));
            } else {
                word.append(QChar(char16_t(c)));
            }
        } else if (!word.isEmpty()) {
            out.append(word.toUtf8()).append(' ');
            word.clear();
        }
    }
    if (!word.isEmpty())
        out.append(word.toUtf8()).append(' ');
}

// The words of folded text, without their spaces.
std::vector<QByteArrayView> Words(QByteArrayView folded)
{
    std::vector<QByteArrayView> words;
    qsizetype start = 0;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (folded[i] == ' ') {
            words.push_back(folded.sliced(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

// Typed words this long are also found inside a name's words ("berries" in "Strawberries");
// shorter ones only begin words, or one letter would find nearly every name.
constexpr qsizetype kInsideWord = 3;

// The bits of a sort key that hold an entry's alphabetical rank and its index.
constexpr std::uint64_t kRankMask = 0x3FFFFF;
constexpr std::uint64_t kEntryMask = 0x1FFFFFFF;

// How well a typed word meets one word of a name, best last.
enum class Fit
{
    None,
    Inside,
    Start,
    Whole
};

// A typed word is the whole word, or either is the other with a plural "s" ("egg" finds
// "Eggs", "apples" finds "Apple, raw"); else it may begin the word or, when long enough, lie
// inside it.
Fit FitOf(QByteArrayView typed, QByteArrayView word)
{
    const qsizetype n = typed.size();
    const qsizetype length = word.size();
    if (length > 0 && word[0] == typed[0]) { // most words fail here, before any call
        if (n <= length && std::memcmp(word.data(), typed.data(), size_t(n)) == 0) {
            const bool plural = n + 1 == length && word[n] == 's';
            return n == length || plural ? Fit::Whole : Fit::Start;
        }
        if (n == length + 1 && n > 1 && typed[n - 1] == 's' &&
            std::memcmp(word.data(), typed.data(), size_t(length)) == 0)
            return Fit::Whole;
    }
    if (n >= kInsideWord && n < length && word.indexOf(typed) > 0)
        return Fit::Inside;
    return Fit::None;
}

// Calls `visit` with each word of a folded key, without its space.
template <typename Visit> void ForEachWord(QByteArrayView key, Visit visit)
{
    // Names are short: a plain loop beats a library call per word.
    const char* const end = key.data() + key.size();
    for (const char* at = key.data(); at < end;) {
        const char* space = at;
        while (space < end && *space != ' ')
            ++space;
        visit(QByteArrayView(at, space - at));
        at = space + 1;
    }
}

// A typed word ready for the first, quick test of every name: whether it fits a word of the
// name at all. Words in a folded key follow its start or a space.
class Needle
{
public:
    explicit Needle(QByteArrayView typed) : m_word(typed), m_spaced(' ' + typed.toByteArray())
    {
        if (typed.size() > 1 && typed.back() == 's')
            m_stem = ' ' + typed.chopped(1).toByteArray() + ' ';
    }

    bool In(QByteArrayView key) const
    {
        const bool found = m_word.size() >= kInsideWord
                               ? key.indexOf(m_word) >= 0
                               : key.startsWith(m_word) || key.indexOf(m_spaced) >= 0;
        if (found || m_stem.isEmpty())
            return found;
        // The typed plural of a word of the name.
        return key.startsWith(QByteArrayView(m_stem).sliced(1)) || key.indexOf(m_stem) >= 0;
    }

private:
    QByteArrayView m_word;
    QByteArray m_spaced;
    QByteArray m_stem;
};

// Where a matching key ranks among the others, best first: the name is the typed words; its
// first word is a typed word; another of its words is; every typed word begins a word; some
// only lie inside one. Then whether a typed word begins its first word.
struct Standing
{
    int tier = 0;
    bool firstBegun = false;
};

// `fits` is scratch space, one entry per typed word.
Standing StandingOf(QByteArrayView key, const std::vector<QByteArrayView>& typed,
                    std::vector<Fit>& fits)
{
    fits.assign(typed.size(), Fit::None);
    bool everyNameWordWhole = true;
    bool firstWhole = false;
    Standing standing;
    bool first = true;
    ForEachWord(key, [&](QByteArrayView word) {
        Fit best = Fit::None;
        for (size_t t = 0; t < typed.size(); ++t) {
            // A short word fits only from the start: most words fail at their first letter.
            if (typed[t].size() < kInsideWord && typed[t][0] != word[0])
                continue;
            const Fit fit = FitOf(typed[t], word);
            fits[t] = std::max(fits[t], fit);
            best = std::max(best, fit);
        }
        everyNameWordWhole = everyNameWordWhole && best == Fit::Whole;
        if (first) {
            firstWhole = best == Fit::Whole;
            standing.firstBegun = best >= Fit::Start;
            first = false;
        }
    });
    const Fit worst = *std::min_element(fits.begin(), fits.end());
    const bool anyWhole = std::find(fits.begin(), fits.end(), Fit::Whole) != fits.end();
    if (everyNameWordWhole && worst == Fit::Whole)
        standing.tier = 0;
    else if (firstWhole)
        standing.tier = 1;
    else if (anyWhole)
        standing.tier = 2;
    else
        standing.tier = worst >= Fit::Start ? 3 : 4;
    return standing;
}

} // namespace

NameFinder NameFinder::ForFoods(FoodDatabase& database, const FoodIndex& index)
{
    std::vector<Source> sources;
    for (size_t g = 0; g < index.Groups().size(); ++g) {
        const FoodIndex::Group& group = index.Groups()[g];
        for (size_t s = 0; s < group.subgroups.size(); ++s) {
            for (const std::uint32_t position : group.subgroups[s].foods)
                sources.push_back({position, int(g), int(s), QString()});
        }
    }
    // Read in stream order, every record of the file is fetched once.
    return Build(std::move(sources), index.GroupNames(), [&database](std::uint32_t position) {
        return database.SafeFoodName(qint64(position));
    });
}

NameFinder NameFinder::ForExercises(const ExerciseDatabase& database)
{
    std::vector<Source> sources;
    const std::vector<ExerciseGroup>& groups = database.Groups();
    for (size_t g = 0; g < groups.size(); ++g) {
        for (int i = 0; i < groups[g].Count(); ++i)
            sources.push_back({groups[g].RecordAt(i), int(g), 0, QString()});
    }
    return Build(std::move(sources), database.GroupNames(),
                 [&database](std::uint32_t record) { return database.ExerciseName(int(record)); });
}

NameFinder NameFinder::ForNames(const std::vector<std::pair<std::uint32_t, QString>>& names,
                                const QString& groupName)
{
    std::vector<Source> sources;
    sources.reserve(names.size());
    for (const auto& [record, name] : names)
        sources.push_back({record, 0, 0, name});
    return Build(std::move(sources), {groupName}, {});
}

NameFinder NameFinder::Build(std::vector<Source> sources, QStringList groupNames,
                             const std::function<QString(std::uint32_t)>& nameOf)
{
    // A record listed under two groups is found once, under the first (as a favorite exercise
    // takes the first group's title).
    std::stable_sort(sources.begin(), sources.end(),
                     [](const Source& a, const Source& b) { return a.record < b.record; });
    sources.erase(
        std::unique(sources.begin(), sources.end(),
                    [](const Source& a, const Source& b) { return a.record == b.record; }),
        sources.end());
    if (nameOf) {
        for (Source& source : sources)
            source.name = nameOf(source.record);
    }

    NameFinder finder;
    finder.m_groupNames = std::move(groupNames);
    finder.m_entries.reserve(sources.size());
    qsizetype nameLength = 0;
    for (const Source& source : sources)
        nameLength += source.name.size();
    finder.m_names.reserve(nameLength);
    finder.m_keys.reserve(nameLength + nameLength / 8);
    for (const Source& source : sources) {
        Entry entry{};
        entry.record = source.record;
        entry.nameAt = std::uint32_t(finder.m_names.size());
        entry.keyAt = std::uint32_t(finder.m_keys.size());
        entry.group = std::uint16_t(source.group);
        entry.subgroup = std::uint16_t(source.subgroup);
        finder.m_names.append(source.name);
        AppendFolded(source.name, finder.m_keys);
        const auto words =
            std::count(finder.m_keys.cbegin() + entry.keyAt, finder.m_keys.cend(), ' ');
        entry.words = std::uint8_t(std::min<qsizetype>(words, 255));
        finder.m_entries.push_back(entry);
    }
    finder.m_names.squeeze();
    finder.m_keys.squeeze();

    std::vector<std::uint32_t> order(finder.m_entries.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&finder](std::uint32_t a, std::uint32_t b) {
        const int byKey = finder.KeyOf(a).compare(finder.KeyOf(b));
        if (byKey != 0)
            return byKey < 0;
        const int byName = finder.NameOf(a).compare(finder.NameOf(b));
        return byName != 0 ? byName < 0 : a < b;
    });
    for (size_t rank = 0; rank < order.size(); ++rank)
        finder.m_entries[order[rank]].rank = std::uint32_t(rank);
    return finder;
}

QStringView NameFinder::NameOf(size_t entry) const
{
    const std::uint32_t end =
        entry + 1 < m_entries.size() ? m_entries[entry + 1].nameAt : std::uint32_t(m_names.size());
    return QStringView(m_names).sliced(m_entries[entry].nameAt, end - m_entries[entry].nameAt);
}

QByteArrayView NameFinder::KeyOf(size_t entry) const
{
    const std::uint32_t end =
        entry + 1 < m_entries.size() ? m_entries[entry + 1].keyAt : std::uint32_t(m_keys.size());
    return QByteArrayView(m_keys).sliced(m_entries[entry].keyAt, end - m_entries[entry].keyAt);
}

std::vector<NameFinder::Match> NameFinder::Find(QStringView typed, const ItemGroup* favorites,
                                                int limit) const
{
    QByteArray folded;
    AppendFolded(typed, folded);
    std::vector<QByteArrayView> words = Words(folded);
    if (words.empty())
        return {};
    std::sort(words.begin(), words.end(), [](QByteArrayView a, QByteArrayView b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    // A word that begins another typed word cannot fail where the longer one matches (unless
    // only the longer may lie inside a word): leaving it out of the matching bounds the work
    // whatever is pasted into the field. The ranking still asks every word.
    std::vector<QByteArrayView> needed;
    for (const QByteArrayView& word : words) {
        const auto covers = [&word](QByteArrayView longer) {
            return longer.startsWith(word) &&
                   (word.size() >= kInsideWord || longer.size() < kInsideWord);
        };
        if (std::none_of(needed.begin(), needed.end(), covers))
            needed.push_back(word);
    }
    const std::vector<Needle> needles(needed.begin(), needed.end());

    std::vector<std::uint32_t> favored;
    if (favorites) {
        for (int i = 0; i < favorites->Count(); ++i)
            favored.push_back(favorites->RecordAt(i));
        std::sort(favored.begin(), favored.end());
    }

    // Sort key: favorite, tier, first word begun, word count, alphabetical rank, the entry.
    std::vector<std::uint64_t> found;
    std::vector<Fit> fits;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const QByteArrayView key = KeyOf(i);
        if (!std::all_of(needles.begin(), needles.end(),
                         [&key](const Needle& needle) { return needle.In(key); }))
            continue;
        const Entry& entry = m_entries[i];
        const bool favorite = std::binary_search(favored.begin(), favored.end(), entry.record);
        const Standing standing = StandingOf(key, words, fits);
        const std::uint64_t order =
            (std::uint64_t(favorite ? 0 : 1) << 63) | (std::uint64_t(standing.tier) << 60) |
            (std::uint64_t(standing.firstBegun ? 0 : 1) << 59) |
            (std::uint64_t(entry.words) << 51) | (std::uint64_t(entry.rank & kRankMask) << 29) | i;
        found.push_back(order);
    }
    auto last = found.end();
    if (limit > 0 && size_t(limit) < found.size()) {
        last = found.begin() + limit;
        std::partial_sort(found.begin(), last, found.end());
    } else {
        std::sort(found.begin(), found.end());
    }

    std::vector<Match> matches;
    matches.reserve(size_t(last - found.begin()));
    for (auto it = found.begin(); it != last; ++it) {
        const size_t i = size_t(*it & kEntryMask);
        const Entry& entry = m_entries[i];
        Match match;
        match.record = entry.record;
        match.group = entry.group;
        match.subgroup = entry.subgroup;
        match.favorite = (*it >> 63) == 0;
        match.name = NameOf(i);
        if (entry.group < m_groupNames.size())
            match.groupName = m_groupNames[entry.group];
        matches.push_back(match);
    }
    return matches;
}
