#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The text sources of the four reference databases, as kept in the repository's data folder:
// foods.csv, exercises.csv with exercise_names.csv, tips.txt and help/*.txt.
struct ReferenceSources
{
    struct FoodRow
    {
        enum Nutrient
        {
            Kcal,
            Fat,
            SatFat,
            Cholesterol,
            Sodium,
            Carbs,
            Fiber,
            Sugars,
            Protein
        };
        int groupCode = 0;
        QString groupName;
        QString subgroup;
        QString usdaId;
        QString name;
        std::array<std::optional<double>, 9> nutrients; // per 100 g, in the order above
        std::array<QString, 2> unitNames;
        std::array<double, 2> unitGrams{};
    };
    struct ExerciseRow
    {
        QString group;
        int code = 0;
        QString activity;
        QString shortName;
        double met = 0;
        std::array<int, 3> kcal15{};
    };
    struct HelpTopic
    {
        QString title;
        QString text;
    };

    std::vector<FoodRow> foods;         // as in the file
    std::vector<ExerciseRow> exercises; // as in the file
    QStringList tips;
    std::vector<HelpTopic> help; // in file name order

    // Reads everything below the folder; false with a reason naming the file otherwise.
    bool Load(const QString& folder, QString* error);

    // Keeps the first `groups` food groups, the first `subgroups` subgroups of each and the first
    // `foodsEach` foods of each subgroup, in file order.
    void KeepFoodSample(int groups, int subgroups, int foodsEach);

    static bool LoadFoods(const QString& path, std::vector<FoodRow>& out, QString* error);
    static bool LoadExercises(const QString& path, const QString& namesPath,
                              std::vector<ExerciseRow>& out, QString* error);
    // One tip a line; blank lines and lines starting with '#' are skipped.
    static bool LoadTips(const QString& path, QStringList& out, QString* error);
    // Each file: the title on the first line, a blank line, then the text (a line a paragraph).
    static bool LoadHelp(const QString& folder, std::vector<HelpTopic>& out, QString* error);
};
