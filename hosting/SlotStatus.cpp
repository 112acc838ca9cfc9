#include "SlotStatus.h"

#include "RunningServers.h"
#include "ServerAddress.h"
#include "ServerQuery.h"
#include "core/Context.h"
#include "core/TextFile.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

#include <QRegularExpression>

#include <cstdio>
#include <map>

namespace fd::hosting {

namespace {

// What the server sent, with no control character let through to the terminal.
QString fromWire(const std::string& bytes) {
    return text::escapeControls(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
}

// A name the server sent, as the game shows it: without the engine's colour codes, a caret
// and a digit ("^1Red ^7White" shows as "Red White").
QString nameFromWire(const std::string& bytes) {
    static const QRegularExpression colourCode(QStringLiteral("\\^[0-9]"));
    return fromWire(bytes).remove(colourCode);
}

QString gameTypeName(const std::string& number) {
    static const std::map<std::string, QString> names{{"0", QStringLiteral("Free For All")},
                                                      {"2", QStringLiteral("Free For All")},
                                                      {"3", QStringLiteral("Team Death Match")},
                                                      {"4", QStringLiteral("Capture The Flag")}};
    const auto name = names.find(number);
    return name == names.end() ? QStringLiteral("unknown") : name->second;
}

QString describeServer(const ServerReply& reply, std::uint16_t port) {
    const std::string gameType = reply.value("g_gametype");
    QString out =
        QStringLiteral("Server name:  %1\nMap:          %2\nGame type:    %3 (%4)\n"
                       "Port:         %5\nPlayers:      %6 of %7\n")
            .arg(nameFromWire(reply.value("sv_hostname")), fromWire(reply.value("mapname")),
                 fromWire(gameType), gameTypeName(gameType))
            .arg(port)
            .arg(reply.players.size())
            .arg(fromWire(reply.value("sv_maxclients")));
    for (const Player& player : reply.players)
        out += QStringLiteral("  %1%2  score %3, ping %4\n")
                   .arg(nameFromWire(player.name),
                        player.ping == 0 ? QStringLiteral(" (bot)") : QString())
                   .arg(player.score)
                   .arg(player.ping);
    return out;
}

// Where the server of the slot loaded listens; nothing after telling why it listens nowhere.
std::optional<ServerAddress> serverAddress(Context& ctx, const QString& slot) {
    const Outcome<ServerAddress> address = serverAddressOf(ctx.form, slot);
    if (!address.ok()) {
        ctx.alert(address.failure());
        return std::nullopt;
    }
    return *address;
}

constexpr std::chrono::milliseconds statusWait{1000};

// A readable slot, where its server listens and what answered there.
struct SlotServer {
    QString slot;
    QString serverName;
    std::optional<ServerAddress> address;
    std::optional<sockaddr_in> where; // where it was asked
    std::optional<ServerReply> reply;
};

// What a slot's line says of its port: no answer; the slot's own server answers; another
// slot's (or set-up file's) server does; or a server whose slot cannot be told.
QString stateOf(const SlotServer& slot, const std::vector<SlotServer>& slots,
                const QString& store) {
    if (!slot.reply)
        return QStringLiteral("no answer");
    std::vector<SlotServerName> here;
    for (const SlotServer& other : slots)
        if (other.where && other.where->sin_addr.s_addr == slot.where->sin_addr.s_addr &&
            other.where->sin_port == slot.where->sin_port)
            here.push_back({other.slot, other.serverName});
    const std::string answered = slot.reply->value("hostname");
    const QString starter = whoServes(*slot.where, store, here, QString::fromUtf8(answered));
    if (starter == slot.slot)
        return QStringLiteral("answers: %1").arg(nameFromWire(answered));
    if (starter.isEmpty())
        return QStringLiteral("answers: %1 (which slot started it is not known)")
            .arg(nameFromWire(answered));
    return QStringLiteral("shares port %1 with %2")
        .arg(slot.address->port)
        .arg(isSlotName(starter) ? QStringLiteral("slot %1").arg(starter.back())
                                 : u'"' + text::escapeControls(starter) + u'"');
}

} // namespace

Outcome<bool> reportSlotServer(const FormModel& form, const QString& slot) {
    const Outcome<ServerAddress> address = serverAddressOf(form, slot);
    if (!address.ok())
        return address.reason();
    const std::optional<sockaddr_in> where = address->queryAddress();
    const auto replies = where ? askAll({*where}, Query::Status, statusWait)
                               : std::vector<std::optional<ServerReply>>(1);
    if (!replies.front()) {
        text::print(
            stderr,
            QStringLiteral("No server answers for %1 on port %2.\n").arg(slot).arg(address->port));
        return false;
    }
    text::print(stdout, describeServer(*replies.front(), address->port));
    return true;
}

Outcome<> reportEverySlot(Context& ctx, SettingsStore& store) {
    std::vector<SlotServer> slots;
    QStringList unreadable;
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        if (const Outcome<> loaded = GetFromDatabase(ctx, store, slot); !loaded.ok()) {
            unreadable << loaded.failure();
            continue;
        }
        slots.push_back(
            {slot, ctx.form.text(ctl::txtServerName), serverAddress(ctx, slot), {}, {}});
        if (slots.back().address)
            slots.back().where = slots.back().address->queryAddress();
    }
    std::vector<sockaddr_in> asked;
    for (const SlotServer& slot : slots)
        if (slot.where)
            asked.push_back(*slot.where);
    std::vector<std::optional<ServerReply>> replies = askAll(asked, Query::Info, statusWait);
    auto reply = replies.begin();
    for (SlotServer& slot : slots)
        if (slot.where)
            slot.reply = std::move(*reply++);
    for (const SlotServer& slot : slots)
        text::print(stdout, QStringLiteral("%1\t%2\t%3\n")
                                .arg(slot.slot)
                                .arg(slot.address ? slot.address->port : 0)
                                .arg(stateOf(slot, slots, store.path())));
    if (!unreadable.isEmpty())
        return failed(unreadable.join(u'\n'));
    return Outcome<>::success();
}

} // namespace fd::hosting
