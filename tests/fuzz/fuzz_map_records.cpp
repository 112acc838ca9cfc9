// libFuzzer target for the map catalogue's record reader: any bytes, read as the program
// reads map.ini, must never crash the reader, and its two modes must agree with each other.
// See CMakeLists.txt beside this file for the short run of the tests and a long run.

#include "catalog/MapCatalogue.h"
#include "core/TextFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool trimmedOfSpaces(const QString& field) {
    return !field.startsWith(u' ') && !field.endsWith(u' ');
}

QList<fd::MapRecord> readAll(fd::MapRecordReader& reader) {
    QList<fd::MapRecord> records;
    while (const std::optional<fd::MapRecord> record = reader.next())
        records << *record;
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = fd::text::splitLines(fd::text::decode(bytes));

    fd::MapRecordReader full(lines);
    const QList<fd::MapRecord> records = readAll(full);
    check(records.size() <= lines.size());
    for (const fd::MapRecord& r : records) {
        for (const QString* field : {&r.MapFile, &r.ListName, &r.MapName, &r.RecommendedPlayers,
                                     &r.CtfFlag, &r.PictureFile})
            check(trimmedOfSpaces(*field) && !field->contains(u'\n'));
        check(!(fd::hasCtfFlag(r, 0) && fd::hasCtfFlag(r, 1)));
    }

    // With every map installed, installed-only mode reads exactly what full mode reads.
    fd::MapRecordReader allInstalled(lines, [](const QString&) { return true; });
    check(readAll(allInstalled) == records);

    // With none installed it yields nothing. Its records are shorter, so it reaches every
    // separator that full mode reaches (or takes it as a field of a record that full mode
    // does not see): it tests at least as many maps as full mode reads records.
    qsizetype tested = 0;
    fd::MapRecordReader noneInstalled(lines, [&tested](const QString&) {
        ++tested;
        return false;
    });
    check(readAll(noneInstalled).isEmpty());
    check(tested >= records.size() && tested <= lines.size());

    // A test that depends on the map file's text: records are a subset, in file order.
    fd::MapRecordReader some(lines, [](const QString& file) { return file.size() % 2 == 0; });
    for (const fd::MapRecord& r : readAll(some))
        check(r.MapFile.size() % 2 == 0);
    return 0;
}
