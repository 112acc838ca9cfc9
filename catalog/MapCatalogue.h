#pragma once
// The map catalogue map.ini and its record reader, shared by everything that reads it.
//
// A record begins at a separator line (its first seven characters, trimmed of spaces, are
// "'------"). Directly after it may stand the start marker "[start]" (tested the same way),
// which is skipped. The record's field lines follow, each trimmed of spaces only (tabs stay).
// Lines outside records are ignored.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace fd {

// The catalogue's file in the application folder.
inline constexpr const char* mapCatalogueFile = "map.ini";

// One map of the catalogue, each field the trimmed line. A record cut short by the end of
// the file has empty text for its missing fields.
struct MapRecord {
    QString MapFile;            // path of the map's file under the game's data folder
    QString ListName;           // the short name shown in the lists and passed to the game
    QString MapName;            // the descriptive name
    QString RecommendedPlayers; // free text
    QString CtfFlag;            // "1" Capture the Flag, "0" Holomatch, read as a number
    QString PictureFile;        // a backslash and the file name in the map_images folder

    friend bool operator==(const MapRecord&, const MapRecord&) = default;
};

// The same fields as views into the lines they were read from, valid while those lines are:
// a caller that looks at a few fields of many records copies only those it keeps.
struct MapRecordView {
    QStringView MapFile, ListName, MapName, RecommendedPlayers, CtfFlag, PictureFile;

    MapRecord toRecord() const;
};

// A catalogue's text and its lines, each line a view into the text, so that reading a large
// catalogue makes no string per line.
class CatalogueText {
public:
    explicit CatalogueText(QString text);
    const QList<QStringView>& lines() const { return lines_; }

private:
    QString text_;
    QList<QStringView> lines_;
};

// Yields the records of the catalogue's lines one at a time, in file order.
class MapRecordReader {
public:
    // Given the field in place: a test that keeps it must copy its characters.
    using InstallationTest = std::function<bool(const QString& mapFile)>;

    // Full mode, without an installation test: after each separator the next six lines are the
    // six fields. Installed-only mode: after each separator the next two lines are MapFile and
    // ListName; only when the map is installed are the next four lines the remaining fields and
    // the record yielded. Otherwise the record ends there, and the line after ListName is the
    // next one scanned for a separator. The lines must outlive the reader.
    explicit MapRecordReader(const CatalogueText& catalogue, InstallationTest isInstalled = {});
    explicit MapRecordReader(const QStringList& lines, InstallationTest isInstalled = {});

    // The next record, or nothing at the end of the lines.
    std::optional<MapRecord> next();
    // The same as views into the lines.
    std::optional<MapRecordView> nextView();

private:
    bool skipToRecord();
    QStringView field();

    QList<QStringView> lines_;
    qsizetype position_ = 0;
    InstallationTest isInstalled_;
};

// Whether a CtfFlag, read as a decimal number, equals the flag; text that is no number
// matches no flag.
bool hasCtfFlag(const MapRecord& record, int flag);

// The catalogue's text, or nothing when no file exists at the path (matched ignoring case).
std::optional<CatalogueText> readCatalogue(const QString& path);

} // namespace fd
