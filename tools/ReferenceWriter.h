#pragma once

#include "ReferenceSources.h"

#include <QByteArray>

#include <optional>

// Writes the four reference databases from their sources, in the record formats the program
// reads (foods stream, exercise index and records, one tip a record, topic index and texts).
namespace ReferenceWriter {

// A per-100-gram number: 0xFF unknown, 0xF0 zero, else thousandths in 31 bits (4 bytes).
QByteArray EncodeNumber(std::optional<double> value);
// The foods stream: groups by USDA code, subgroups and foods alphabetical within them.
bool FoodStream(const std::vector<ReferenceSources::FoodRow>& foods, QByteArray& stream,
                QString* error);

bool WriteFoods(const std::vector<ReferenceSources::FoodRow>& foods, const QString& path,
                QString* error);
bool WriteExercises(const std::vector<ReferenceSources::ExerciseRow>& exercises,
                    const QString& path, QString* error);
bool WriteTips(const QStringList& tips, const QString& path, QString* error);
bool WriteHelp(const std::vector<ReferenceSources::HelpTopic>& topics, const QString& path,
               QString* error);
// All four into a folder.
bool WriteAll(const ReferenceSources& sources, const QString& folder, QString* error);

} // namespace ReferenceWriter
