#include "SlotStatus.h"

#include "ServerAddress.h"
#include "ServerQuery.h"
#include "core/Context.h"
#include "core/TextFile.h"
#include "store/SlotRecord.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace fd::hosting {

namespace {

// What the server sent, with no control character let through to the terminal.
QString fromWire(const std::string& bytes) {
    return text::escapeControls(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
}

QString gameTypeName(const std::string& number) {
    if (number == "0" || number == "2")
        return QStringLiteral("Free For All");
    if (number == "3")
        return QStringLiteral("Team Death Match");
    if (number == "4")
        return QStringLiteral("Capture The Flag");
    return QStringLiteral("unknown");
}

QString describeServer(const ServerReply& reply, std::uint16_t port) {
    const std::string gameType = reply.value("g_gametype");
    QString out = QStringLiteral("Server name:  %1\nMap:          %2\nGame type:    %3 (%4)\n"
                                 "Port:         %5\nPlayers:      %6 of %7\n")
                      .arg(fromWire(reply.value("sv_hostname")), fromWire(reply.value("mapname")),
                           fromWire(gameType), gameTypeName(gameType))
                      .arg(port)
                      .arg(reply.players.size())
                      .arg(fromWire(reply.value("sv_maxclients")));
    for (const Player& player : reply.players)
        out +=
            QStringLiteral("  %1%2  score %3, ping %4\n")
                .arg(fromWire(player.name), player.ping == 0 ? QStringLiteral(" (bot)") : QString())
                .arg(player.score)
                .arg(player.ping);
    return out;
}

QString slotLine(const QString& slot, std::uint16_t port, const ServerReply* reply) {
    const QString state =
        reply ? QStringLiteral("answers: %1").arg(fromWire(reply->value("hostname")))
              : QStringLiteral("no answer");
    return QStringLiteral("%1\t%2\t%3\n").arg(slot).arg(port).arg(state);
}

// Where the server of the slot loaded listens; nothing after a message.
std::optional<ServerAddress> serverAddress(Context& ctx, const QString& slot) {
    QString problem;
    std::optional<ServerAddress> address = serverAddressOf(ctx.form, slot, problem);
    if (!address)
        ctx.alert(problem);
    return address;
}

constexpr std::chrono::milliseconds statusWait{1000};

} // namespace

bool reportSlotServer(Context& ctx, const QString& slot) {
    const std::optional<ServerAddress> address = serverAddress(ctx, slot);
    const std::optional<sockaddr_in> where = address ? address->queryAddress() : std::nullopt;
    const auto replies = where ? askAll({*where}, Query::Status, statusWait)
                               : std::vector<std::optional<ServerReply>>(1);
    if (!replies.front()) {
        text::print(
            stderr,
            QStringLiteral("No server answers for %1%2.\n")
                .arg(slot, address ? QStringLiteral(" on port %1").arg(address->port) : QString()));
        return false;
    }
    text::print(stdout, describeServer(*replies.front(), address->port));
    return true;
}

bool reportEverySlot(Context& ctx, SettingsStore& store) {
    std::vector<std::optional<ServerAddress>> addresses;
    std::vector<sockaddr_in> asked;
    std::vector<bool> readable;
    for (const char* name : slotNames) {
        const Outcome<> loaded = GetFromDatabase(ctx, store, QString::fromLatin1(name));
        readable.push_back(loaded.ok());
        if (!loaded.ok())
            ctx.alert(loaded.failure());
        addresses.push_back(loaded.ok() ? serverAddress(ctx, QString::fromLatin1(name))
                                        : std::nullopt);
        if (const auto where = addresses.back() ? addresses.back()->queryAddress() : std::nullopt)
            asked.push_back(*where);
    }
    const auto replies = askAll(asked, Query::Info, statusWait);
    auto reply = replies.begin();
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const bool wasAsked = addresses[i] && addresses[i]->queryAddress();
        if (!readable[i])
            continue;
        text::print(stdout, slotLine(QString::fromLatin1(slotNames[i]),
                                     addresses[i] ? addresses[i]->port : 0,
                                     wasAsked && *reply ? &**reply : nullptr));
        reply += int(wasAsked);
    }
    return std::ranges::all_of(readable, std::identity());
}

} // namespace fd::hosting
