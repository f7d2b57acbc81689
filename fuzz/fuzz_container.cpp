// The container: every record read through a stream, and a file loaded for change writes back
// the very records it read.
#include "FuzzSupport.h"

#include "data/PalmDatabaseFile.h"
#include "data/RecordStream.h"

#include <vector>

namespace {

void ReadEverything(PalmDatabaseFile& file)
{
    for (std::uint32_t i = 0; i < file.RecordCount(); ++i) {
        file.HasRecord(int(i));
        RecordStream stream(file, int(i));
        while (!stream.AtEnd()) {
            stream.ReadInt16();
            stream.ReadFloat();
            stream.ReadText();
            stream.ReadBool();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Fuzz::WriteInput(data, size, QStringLiteral("input.pdb"));

    std::vector<QByteArray> records;
    {
        PalmDatabaseFile file;
        if (file.Open(path, false) != DatabaseError::None)
            return 0;
        ReadEverything(file);
        for (std::uint32_t i = 0; i < file.RecordCount(); ++i)
            records.push_back(file.ReadRecord(int(i)).value_or(QByteArray()));
        file.CloseWithoutSaving();
    }

    {
        PalmDatabaseFile file;
        Fuzz::Require(file.Open(path) == DatabaseError::None, "a readable file opens for change");
        if (!file.LoadAll())
            return 0;
        Fuzz::Require(file.Close() == DatabaseError::None,
                      "a loaded file saves"); // rewritten whole, changed or not
    }

    PalmDatabaseFile saved;
    Fuzz::Require(saved.Open(path, false) == DatabaseError::None, "a saved file opens");
    Fuzz::Require(saved.RecordCount() == records.size(), "a save keeps every record");
    for (std::uint32_t i = 0; i < records.size(); ++i)
        Fuzz::Require(saved.ReadRecord(int(i)) == records[i], "a save keeps every byte");
    return 0;
}
