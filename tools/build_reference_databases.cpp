// Builds food_data.pdb, fitness_data.pdb, tips.pdb and text.pdb from the text sources in the
// repository's data folder. Usage: build_reference_databases DATA_FOLDER OUTPUT_FOLDER
#include "ReferenceSources.h"
#include "ReferenceWriter.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: build_reference_databases DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    ReferenceSources sources;
    QString error;
    if (!sources.Load(arguments[1], &error) || !QDir().mkpath(arguments[2]) ||
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
