#include "MapCatalogue.h"

#include "core/Decimal.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

namespace fd {

namespace {

constexpr qsizetype markerLength = 7;

// The line's first seven characters with leading and trailing spaces removed.
QStringView head(const QString& line) {
    QStringView view = QStringView(line).left(markerLength);
    while (!view.isEmpty() && view.front() == u' ')
        view = view.sliced(1);
    while (!view.isEmpty() && view.back() == u' ')
        view.chop(1);
    return view;
}

bool isSeparator(const QString& line) {
    return head(line) == u"'------";
}

bool isStartMarker(const QString& line) {
    return head(line) == u"[start]";
}

} // namespace

MapRecordReader::MapRecordReader(const QStringList& lines) : lines_(lines) {}

MapRecordReader::MapRecordReader(const QStringList& lines, InstallationTest isInstalled)
    : lines_(lines), isInstalled_(std::move(isInstalled)) {}

bool MapRecordReader::skipToRecord() {
    while (position_ < lines_.size()) {
        if (isSeparator(lines_[position_++])) {
            if (position_ < lines_.size() && isStartMarker(lines_[position_]))
                ++position_;
            return true;
        }
    }
    return false;
}

QString MapRecordReader::field() {
    return position_ < lines_.size() ? text::trimSpaces(lines_[position_++]) : QString();
}

std::optional<MapRecord> MapRecordReader::next() {
    while (skipToRecord()) {
        MapRecord record;
        record.MapFile = field();
        record.ListName = field();
        if (isInstalled_ && !isInstalled_(record.MapFile))
            continue;
        record.MapName = field();
        record.RecommendedPlayers = field();
        record.CtfFlag = field();
        record.PictureFile = field();
        return record;
    }
    return std::nullopt;
}

bool hasCtfFlag(const MapRecord& record, int flag) {
    const std::optional<Decimal> number = Decimal::parse(record.CtfFlag);
    return number && number->toString() == QString::number(flag);
}

std::optional<QStringList> readCatalogue(const QString& path) {
    PathResolver files;
    const QString found = files.resolve(path);
    if (!files.isFile(found))
        return std::nullopt;
    return text::readLines(found);
}

} // namespace fd
