#include "WineRegistry.h"

#include "core/TextFile.h"

#include <QFileInfo>

#include <optional>

namespace fd {

namespace {

constexpr qsizetype longestValue = 254; // a value must fit 255 characters with its end mark

bool isHexDigit(QChar c) {
    const char16_t u = c.toLower().unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f');
}

// Reads a quoted or bracketed text of system.reg from `pos`, just after its opening mark, up
// to the unescaped `close`; undoes the file's escapes. `pos` ends after the closing mark.
std::optional<QString> unescape(const QString& line, qsizetype& pos, QChar close) {
    QString text;
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == close)
            return text;
        if (c != u'\\' || pos >= line.size()) {
            text += c;
            continue;
        }
        const QChar e = line[pos++];
        switch (e.unicode()) {
        case 'n':
            text += u'\n';
            break;
        case 't':
            text += u'\t';
            break;
        case 'r':
            text += u'\r';
            break;
        case 'x': { // up to four hex digits
            qsizetype end = pos;
            while (end < line.size() && end < pos + 4 && isHexDigit(line[end]))
                ++end;
            bool ok = false;
            const uint code = line.mid(pos, end - pos).toUInt(&ok, 16);
            if (ok)
                text += QChar(char16_t(code));
            pos = end;
            break;
        }
        default:
            text += e; // \\ \" \[ \] stand for themselves
        }
    }
    return std::nullopt;
}

QString normalKey(QString key) {
    while (key.endsWith(u'\\'))
        key.chop(1);
    return key.toCaseFolded();
}

// The value's text when the line sets the value by that name as a string.
std::optional<QString> stringValue(const QString& line, const QString& valueName, bool& named) {
    qsizetype pos = 0;
    std::optional<QString> name;
    if (line.startsWith(u'"')) {
        pos = 1;
        name = unescape(line, pos, u'"');
    } else if (line.startsWith(u'@')) {
        pos = 1;
        name = QString();
    }
    named = name && name->compare(valueName, Qt::CaseInsensitive) == 0;
    if (!named || !line.mid(pos).startsWith(QLatin1String("=\"")))
        return std::nullopt; // another value, or one of another type (str(2):, hex:, dword:)
    pos += 2;
    return unescape(line, pos, u'"');
}

// The value under the key in the registry file's lines, if the key holds it as a string.
std::optional<QString> lookUp(const QStringList& lines, const QString& key,
                              const QString& valueName) {
    bool inKey = false;
    for (const QString& line : lines) {
        if (line.startsWith(u'[')) {
            qsizetype pos = 1;
            const std::optional<QString> name = unescape(line, pos, u']');
            inKey = name && normalKey(*name) == key;
            continue;
        }
        if (!inKey)
            continue;
        bool named = false;
        std::optional<QString> value = stringValue(line, valueName, named);
        if (named)
            return value;
    }
    return std::nullopt;
}

// A Windows drive path as the folder of the Wine prefix it names; nothing for no drive path.
std::optional<QString> folderOfDrivePath(const QString& winePrefix, const QString& windowsPath) {
    const QChar drive = windowsPath.isEmpty() ? QChar() : windowsPath[0].toLower();
    if (windowsPath.size() < 2 || drive < u'a' || drive > u'z' || windowsPath[1] != u':')
        return std::nullopt;
    QString rest = windowsPath.mid(2);
    rest.replace(u'\\', u'/');
    if (!rest.isEmpty() && !rest.startsWith(u'/'))
        rest.prepend(u'/');
    if (drive == u'c')
        return winePrefix + QStringLiteral("/drive_c") + rest;
    // Other drives are links in the prefix's dosdevices folder.
    const QString link = winePrefix + QStringLiteral("/dosdevices/") + drive + u':';
    const QString target = QFileInfo(link).canonicalFilePath();
    return (target.isEmpty() ? link : target) + rest;
}

} // namespace

std::optional<QString> GetGamePath(const QString& winePrefix, const QString& subkey,
                                   const QString& valueName) {
    const std::optional<QStringList> lines =
        text::readLines(winePrefix + QStringLiteral("/system.reg"));
    if (!lines)
        return std::nullopt;
    const QString key = normalKey(subkey);
    const QString software = QStringLiteral("software\\");
    std::optional<QString> value;
    if (key.startsWith(software)) // a 32-bit program's view of a 64-bit prefix
        value =
            lookUp(*lines, software + QStringLiteral("wow6432node\\") + key.mid(software.size()),
                   valueName);
    if (!value)
        value = lookUp(*lines, key, valueName);
    if (!value || value->size() > longestValue)
        return std::nullopt;
    return folderOfDrivePath(winePrefix, text::trimSpaces(*value));
}

} // namespace fd
