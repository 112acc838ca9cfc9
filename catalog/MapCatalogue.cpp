#include "MapCatalogue.h"

#include "core/Decimal.h"
#include "core/PathResolver.h"
#include "core/TextFile.h"

#include <QFile>

namespace fd {

namespace {

constexpr qsizetype markerLength = 7;

// The text without the spaces at its start and end (other white space stays).
QStringView trimmedOfSpaces(QStringView view) {
    while (!view.isEmpty() && view.front() == u' ')
        view = view.sliced(1);
    while (!view.isEmpty() && view.back() == u' ')
        view.chop(1);
    return view;
}

// The line's first seven characters with leading and trailing spaces removed.
QStringView head(QStringView line) {
    return trimmedOfSpaces(line.left(markerLength));
}

bool isSeparator(QStringView line) {
    return head(line) == u"'------";
}

bool isStartMarker(QStringView line) {
    return head(line) == u"[start]";
}

// The lines of a text as text::splitLines cuts them, as views into the text: one pass over
// its characters.
QList<QStringView> lineViews(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n')
            continue;
        if (i == start && i == text.size())
            break; // no line after a break at the very end
        QStringView line = text.sliced(start, i - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.append(line);
        start = i + 1;
    }
    return lines;
}

} // namespace

MapRecord MapRecordView::toRecord() const {
    return {MapFile.toString(), ListName.toString(),
            MapName.toString(), RecommendedPlayers.toString(),
            CtfFlag.toString(), PictureFile.toString()};
}

CatalogueText::CatalogueText(QString text) : text_(std::move(text)), lines_(lineViews(text_)) {}

MapRecordReader::MapRecordReader(const CatalogueText& catalogue, InstallationTest isInstalled)
    : lines_(catalogue.lines()), isInstalled_(std::move(isInstalled)) {}

MapRecordReader::MapRecordReader(const QStringList& lines, InstallationTest isInstalled)
    : isInstalled_(std::move(isInstalled)) {
    lines_.reserve(lines.size());
    for (const QString& line : lines)
        lines_.append(line);
}

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

QStringView MapRecordReader::field() {
    return position_ < lines_.size() ? trimmedOfSpaces(lines_[position_++]) : QStringView();
}

std::optional<MapRecord> MapRecordReader::next() {
    const std::optional<MapRecordView> view = nextView();
    return view ? std::optional(view->toRecord()) : std::nullopt;
}

std::optional<MapRecordView> MapRecordReader::nextView() {
    while (skipToRecord()) {
        MapRecordView record;
        record.MapFile = field();
        record.ListName = field();
        // The test is given the field in place, not a copy.
        if (isInstalled_ &&
            !isInstalled_(QString::fromRawData(record.MapFile.data(), record.MapFile.size())))
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

std::optional<CatalogueText> readCatalogue(const QString& path) {
    PathResolver files;
    const QString found = files.resolve(path);
    if (!files.isFile(found))
        return std::nullopt;
    QFile file(found);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return CatalogueText(text::decode(file.readAll()));
}

} // namespace fd
