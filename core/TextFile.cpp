#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fd::text {

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the
// control characters of the same number, as Windows does, so that every byte survives a
// read and a write unchanged.
constexpr std::array<char16_t, 32> cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t fromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : char16_t(byte);
}

std::optional<char> toCp1252(char16_t c) {
    for (std::size_t i = 0; i < cp1252High.size(); ++i)
        if (cp1252High[i] == c)
            return char(0x80 + i);
    return std::nullopt;
}

// Copies the units to bytes as they are; true when all were ASCII, which Windows-1252 writes
// so. One loop with no early way out, so that it runs on vectors.
bool copyAsciiByUnit(std::u16string_view units, char* out) {
    char16_t all = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        all |= units[i];
        out[i] = char(units[i]);
    }
    return all < 0x80;
}

#if defined(__SSE2__)
// Copies units [at, at + 8) to bytes, or [at, at + 4) when half, and gathers them into seen.
template <bool half>
void copyUnits(const char16_t* units, std::size_t at, char* out, __m128i& seen) {
    const auto* from = reinterpret_cast<const __m128i*>(units + at);
    const __m128i wide = half ? _mm_loadl_epi64(from) : _mm_loadu_si128(from);
    seen = _mm_or_si128(seen, wide);
    const __m128i narrow = _mm_packus_epi16(wide, wide);
    if constexpr (half) {
        const int four = _mm_cvtsi128_si32(narrow);
        std::memcpy(out + at, &four, 4);
    } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at), narrow);
    }
}

// Copies the units to bytes as they are; true when all were ASCII, which Windows-1252 writes
// so. Eight units at a time (four for a short part), the last ones copied again overlapping
// rather than one by one: most parts of a line are short.
bool copyAscii(std::u16string_view units, char* out) {
    const std::size_t n = units.size();
    if (n < 4)
        return copyAsciiByUnit(units, out);
    __m128i seen = _mm_setzero_si128();
    if (n < 8) {
        copyUnits<true>(units.data(), 0, out, seen);
        copyUnits<true>(units.data(), n - 4, out, seen);
    } else {
        for (std::size_t i = 0; i + 8 <= n; i += 8)
            copyUnits<false>(units.data(), i, out, seen);
        copyUnits<false>(units.data(), n - 8, out, seen);
    }
    const __m128i high = _mm_and_si128(seen, _mm_set1_epi16(short(0xFF80)));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF;
}
#else
bool copyAscii(std::u16string_view units, char* out) {
    return copyAsciiByUnit(units, out);
}
#endif

QString decodeCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(fromCp1252(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray encodeLines(const QStringList& lines) {
    LineEncoder encoder;
    for (const QString& line : lines)
        encoder.line(line);
    return encoder.bytes().toByteArray();
}

} // namespace

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? decodeCp1252(bytes) : text;
}

QByteArray encode(QStringView text) {
    LineEncoder encoder;
    encoder.line(text);
    return encoder.bytes().chopped(2).toByteArray();
}

void LineEncoder::reserve(qsizetype size) {
    if (bytes_.size() < size)
        bytes_.resize(size);
}

char* LineEncoder::makeRoom(qsizetype size) {
    if (used_ + size > bytes_.size())
        reserve(std::max(used_ + size, 2 * bytes_.size()));
    return bytes_.data() + used_;
}

void LineEncoder::line(std::initializer_list<QStringView> parts) {
    if (utf8_) {
        for (QStringView part : parts)
            appendUtf8(part);
        appendUtf8(u"\r\n");
        return;
    }
    qsizetype size = 2;
    for (QStringView part : parts)
        size += part.size();
    char* out = makeRoom(size);
    for (QStringView part : parts) {
        const std::u16string_view units(part.utf16(), std::size_t(part.size()));
        if (copyAscii(units, out)) [[likely]] {
            out += units.size();
            continue;
        }
        for (const char16_t unit : units) {
            if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
                *out++ = char(unit);
            } else if (std::optional<char> byte = toCp1252(unit)) {
                *out++ = *byte;
            } else {
                // A character with no single byte: everything becomes UTF-8, what came before too.
                bytes_ = decodeCp1252(bytes()).toUtf8();
                used_ = bytes_.size();
                utf8_ = true;
                line(parts);
                return;
            }
        }
    }
    *out++ = '\r';
    *out = '\n';
    used_ += size;
}

void LineEncoder::appendUtf8(QStringView text) {
    const QByteArray encoded = text.toUtf8();
    std::copy(encoded.cbegin(), encoded.cend(), makeRoom(encoded.size()));
    used_ += encoded.size();
}

LineFile::LineFile(const QString& path)
    : file_(path, ReplacedFile::Sync::Later, ReplacedFile::Keep::Previous) {
    encoder_.reserve(chunkSize + chunkSize / 4);
}

void LineFile::line(std::initializer_list<QStringView> parts) {
    if (file_.failed())
        return; // close() reports it
    const bool wasUtf8 = encoder_.isUtf8();
    encoder_.line(parts);
    if (!wasUtf8 && encoder_.isUtf8())
        rewriteWrittenAsUtf8();
    if (encoder_.bytes().size() >= chunkSize)
        writeHeld();
}

Outcome<> LineFile::close() {
    writeHeld();
    return file_.commit();
}

void LineFile::writeHeld() {
    (void)file_.write(encoder_.bytes()); // a failure stays, and close() reports it
    encoder_.clear();
}

void LineFile::rewriteWrittenAsUtf8() {
    const QByteArray written = file_.content();
    if (!written.isEmpty())
        (void)file_.rewrite(decodeCp1252(written).toUtf8()); // as in writeHeld()
}

bool breaksLine(QStringView text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\0'; });
}

QString escapeControls(QStringView value) {
    QString line;
    for (const QChar c : value) {
        if (c == u'\\')
            line += QStringLiteral("\\\\");
        else if (c == u'\t')
            line += QStringLiteral("\\t");
        else if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (c.category() == QChar::Other_Control)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString trimSpaces(const QString& text) {
    QStringView trimmed(text);
    while (trimmed.startsWith(u' '))
        trimmed = trimmed.sliced(1);
    while (trimmed.endsWith(u' '))
        trimmed.chop(1);
    return trimmed.toString();
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        qsizetype lineEnd = end > start && text[end - 1] == u'\r' ? end - 1 : end;
        lines.append(text.mid(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(decode(file.readAll()));
}

Outcome<> writeLines(const QString& path, const QStringList& lines) {
    return writeBytes(path, encodeLines(lines));
}

Outcome<> writeBytes(const QString& path, QByteArrayView bytes) {
    ReplacedFile file(path, ReplacedFile::Sync::Later);
    (void)file.write(bytes); // a failure stays, and commit() reports it
    return file.commit();
}

Outcome<> writeLinesAtomically(const QString& path, const QStringList& lines) {
    ReplacedFile file(path);
    (void)file.write(encodeLines(lines)); // as above
    return file.commit();
}

} // namespace fd::text
