// The comma-separated reader, as it reads the reference sources and other text from outside.
#include "FuzzSupport.h"

#include "export/CsvReader.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<QStringList> rows;
    QString error;
    const bool read = CsvReader::Parse(
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), rows,
        &error);
    Fuzz::Require(read || !error.isEmpty(), "a refusal without a reason");
    return 0;
}
