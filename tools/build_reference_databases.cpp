// Builds food_data.pdb, fitness_data.pdb, tips.pdb and text.pdb from the text sources in the
// repository's data folder:
//   build_reference_databases [--foods-sample GROUPS,SUBGROUPS,FOODS] DATA_FOLDER OUTPUT_FOLDER
// With --foods-sample only the first GROUPS food groups are kept, the first SUBGROUPS subgroups
// of each and the first FOODS foods of each subgroup (in the order of foods.csv): a
// food_data.pdb of a few kilobytes, as the foods fuzz target is seeded with.
#include "ReferenceSources.h"
#include "ReferenceWriter.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

struct Sample
{
    int groups = 0;
    int subgroups = 0;
    int foods = 0;
};

std::optional<Sample> ParseSample(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return std::nullopt;
    Sample sample;
    int* fields[] = {&sample.groups, &sample.subgroups, &sample.foods};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        *fields[i] = parts[i].toInt(&ok);
        if (!ok || *fields[i] < 1)
            return std::nullopt;
    }
    return sample;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    std::optional<Sample> sample;
    if (arguments.size() == 5 && arguments[1] == QLatin1String("--foods-sample")) {
        sample = ParseSample(arguments[2]);
        arguments.remove(1, 2);
        if (!sample)
            arguments.clear(); // a usage error below
    }
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: build_reference_databases [--foods-sample "
                             "GROUPS,SUBGROUPS,FOODS] DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    ReferenceSources sources;
    QString error;
    const bool loaded = sources.Load(arguments[1], &error);
    if (loaded && sample)
        sources.KeepFoodSample(sample->groups, sample->subgroups, sample->foods);
    if (!loaded || !QDir().mkpath(arguments[2]) ||
        !ReferenceWriter::WriteAll(sources, arguments[2], &error)) {
        std::fprintf(
            stderr, "build_reference_databases: %s\n",
            qUtf8Printable(error.isEmpty() ? QStringLiteral("cannot write output") : error));
        return 1;
    }
    std::printf("%zu foods, %zu exercises, %lld tips, %zu help topics\n", sources.foods.size(),
                sources.exercises.size(), qlonglong(sources.tips.size()), sources.help.size());
    return 0;
}
