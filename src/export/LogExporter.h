#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

struct DatabaseFolders;
class UserDatabase;

// Everything the user logged, as CSV files a spreadsheet opens: foods.csv, exercises.csv,
// weights.csv, journal.csv, days.csv, and my_foods.csv with the user's own foods and recipes.
// Amounts are those the log pages show, worked out against the reference databases; a value the
// foods database does not know is an empty cell. Rows are in date order, entries of one day in the
// order they were logged.
class LogExporter final
{
public:
    // Also the exit codes of the export command (2 is a command line it cannot understand).
    enum Result
    {
        Exported = 0,
        NotWritten = 1, // the folder cannot be written, or holds files it would replace
        NotRead = 3,    // user.pdb or a reference database cannot be read
    };

    struct File
    {
        QString name;
        QByteArray data;
    };

    explicit LogExporter(UserDatabase& store);

    static QStringList FileNames();

    // Why the store's logs cannot be exported (nothing of the user's was read, or the reference
    // databases are missing); empty when they can.
    QString Problem() const;
    // The contents of the files, in the order of FileNames.
    std::vector<File> Build() const;

    // Writes the files into folder, making it when it is missing. Files of the same names
    // already there are replaced only when `replace` is set. The files are written into a
    // temporary folder first and moved in at the end, so a failure leaves none of them behind.
    // *message says what happened, naming the folder.
    Result WriteTo(const QString& folder, bool replace, QString* message) const;

    // The export command: reads a copy of user.pdb in folders (never taking or waiting for the
    // lock of a running program, never writing it) and writes the files into folder.
    static Result Export(const DatabaseFolders& folders, const QString& folder, bool replace,
                         QString* message);

    // A folder in parent that does not exist yet, for an export made on day:
    // "Nutrava export 2026-12-06", else "Nutrava export 2026-12-06 (2)" and so on.
    static QString NewFolderIn(const QString& parent, const QDate& day);

private:
    UserDatabase& m_store;
};
