#include "SetupFile.h"

#include "Toml.h"
#include "core/FormModel.h"
#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

namespace fd::setup {

namespace {

// What is wrong with one line of a file.
struct Problem {
    int line = 0;
    QString setting; // empty when the line names none
    QString what;
};

Failure refusal(const QString& file, const Problem& problem) {
    QString where = QStringLiteral("The set-up file \"%1\"").arg(file);
    if (problem.line > 0)
        where += QStringLiteral(", line %1").arg(problem.line);
    if (!problem.setting.isEmpty())
        where += QStringLiteral(", setting \"%1\"").arg(problem.setting);
    return refused(where + QStringLiteral(": ") + problem.what);
}

// Letters that must change, be added or dropped to turn one name into the other, letter case
// aside.
qsizetype editDistance(const QString& from, const QString& to) {
    std::vector<qsizetype> row(std::size_t(to.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = qsizetype(j);
    for (qsizetype i = 1; i <= from.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j < row.size(); ++j) {
            const bool same = from[i - 1].toCaseFolded() == to[qsizetype(j) - 1].toCaseFolded();
            const qsizetype next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + !same});
            diagonal = row[j];
            row[j] = next;
        }
    }
    return row.back();
}

QString closestName(const QString& name) {
    QStringList known{QString::fromLatin1(mapsName), QString::fromLatin1(botsName)};
    for (const Field& field : settingsRecord)
        known << QString::fromLatin1(field.name);
    return *std::ranges::min_element(
        known, {}, [&name](const QString& candidate) { return editDistance(name, candidate); });
}

const Field* fieldNamed(const QString& name) {
    const auto found = std::ranges::find_if(
        settingsRecord, [&name](const Field& field) { return name == QLatin1String(field.name); });
    return found == settingsRecord.end() ? nullptr : &*found;
}

// A text from the file: empty text, or what is wrong with it.
QString takeText(const toml::node& node, QString& text) {
    if (const auto number = node.value_exact<std::int64_t>())
        text = QString::number(*number);
    else if (const auto string = node.value_exact<std::string>())
        text = QString::fromStdString(*string);
    else
        return QStringLiteral("text in quotes is wanted here.");
    return text::breaksLine(text) ? QStringLiteral("a value cannot hold a line break or NUL.")
                                  : QString();
}

QString takeValue(const Field& field, const toml::node& node, StoredValue& value) {
    if (holdsText(field.kind)) {
        QString text;
        const QString wrong = takeText(node, text);
        value = text;
        return wrong;
    }
    const std::optional<std::int64_t> number = node.value_exact<std::int64_t>();
    if (const auto truth = node.value_exact<bool>())
        value = *truth;
    else if (number && (*number == 0 || *number == 1))
        value = *number == 1;
    else
        return QStringLiteral("true or false (or 1 or 0) is wanted here.");
    return {};
}

QString takeList(const toml::node& node, QStringList& list) {
    const toml::array* entries = node.as_array();
    if (!entries)
        return QStringLiteral("a list in brackets is wanted here: [\"first\", \"second\"].");
    if (entries->size() > std::size_t(FormModel::maxListItems))
        return QStringLiteral("it holds %1 entries; a list holds at most %2.")
            .arg(entries->size())
            .arg(FormModel::maxListItems);
    for (const toml::node& entry : *entries) {
        QString text;
        if (const QString wrong = takeText(entry, text); !wrong.isEmpty())
            return QStringLiteral("entry %1: %2").arg(list.size() + 1).arg(wrong);
        list << text;
    }
    return {};
}

// Takes one setting or list of the file into the set-up: empty text, or what is wrong.
QString take(const QString& name, const toml::node& node, Setup& setup) {
    if (name == QLatin1String(mapsName))
        return takeList(node, setup.maps);
    if (name == QLatin1String(botsName))
        return takeList(node, setup.bots);
    const Field* field = fieldNamed(name);
    if (!field)
        return QStringLiteral("there is no such setting; did you mean \"%1\"?")
            .arg(closestName(name));
    return takeValue(*field, node, setup.record[std::size_t(field - settingsRecord.data())]);
}

int lineOf(const toml::source_region& source) {
    return int(source.begin.line);
}

// Where the bytes stop being text: the line of their first NUL, or -1 when they are text.
int firstNulLine(QByteArrayView bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? -1 : int(bytes.first(nul).count('\n')) + 1;
}

struct Entry {
    int line;
    QString name;
    const toml::node* node;
};

// The file's top-level entries in the order of their lines.
std::vector<Entry> entriesByLine(const toml::table& table) {
    std::vector<Entry> entries;
    for (const auto& [key, node] : table)
        entries.push_back(
            {lineOf(key.source()), QString::fromStdString(std::string(key.str())), &node});
    std::ranges::sort(entries, {}, &Entry::line);
    return entries;
}

} // namespace

Outcome<Setup> readSetup(QByteArrayView bytes, const QString& file, const StoredRecord& fresh) {
    if (bytes.size() > maxFileSize)
        return refusal(file, {0, {}, QStringLiteral("it is larger than 10 MiB.")});
    if (const int line = firstNulLine(bytes); line > 0)
        return refusal(file, {line, {}, QStringLiteral("it is not text: it holds a NUL byte.")});
    const toml::parse_result parsed =
        toml::parse(std::string_view(bytes.data(), std::size_t(bytes.size())));
    if (!parsed) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(bytes); // only whether it decodes matters
        const QString what = utf8.hasError() ? QStringLiteral("it is not UTF-8 text.")
                                             : QString::fromUtf8(parsed.error().description());
        return refusal(file, {lineOf(parsed.error().source()), {}, what});
    }
    const toml::table& table = parsed.table();
    if (table.empty())
        return refusal(file, {0, {}, QStringLiteral("it holds no setting.")});
    Setup setup{fresh, {}, {}};
    for (const Entry& entry : entriesByLine(table))
        if (const QString wrong = take(entry.name, *entry.node, setup); !wrong.isEmpty())
            return refusal(file, {entry.line, entry.name, wrong});
    return setup;
}

Outcome<Setup> readSetupFile(const QString& path, const StoredRecord& fresh) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("Could not read the set-up file \"%1\": %2.")
                          .arg(path, file.errorString()));
    return readSetup(file.read(maxFileSize + 1), path, fresh);
}

Outcome<QString> scriptFileFor(const QString& path) {
    const QString name = QFileInfo(path).completeBaseName();
    const bool plain = !name.isEmpty() && std::ranges::all_of(name, [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'-' || c == u'_');
    });
    const bool slots =
        name.size() == 5 && name.startsWith(u"slot", Qt::CaseInsensitive) && name.back().isDigit();
    if (!plain || slots)
        return misused(QStringLiteral("the set-up file \"%1\" cannot name a script of its own: "
                                      "its name, without the extension, must be made of letters, "
                                      "digits, '-' and '_' only, and not be \"slot\" and a "
                                      "digit.")
                           .arg(path));
    return QStringLiteral("FragDocker-%1.cfg").arg(name);
}

} // namespace fd::setup
