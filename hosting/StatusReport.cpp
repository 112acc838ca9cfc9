#include "StatusReport.h"

#include "ServerQuery.h"

namespace fd::hosting {

namespace {

QString text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
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

} // namespace

QString describeServer(const ServerReply& reply, std::uint16_t port) {
    const std::string gameType = reply.value("g_gametype");
    QString out = QStringLiteral("Server name:  %1\nMap:          %2\nGame type:    %3 (%4)\n"
                                 "Port:         %5\nPlayers:      %6 of %7\n")
                      .arg(text(reply.value("sv_hostname")), text(reply.value("mapname")),
                           text(gameType), gameTypeName(gameType))
                      .arg(port)
                      .arg(reply.players.size())
                      .arg(text(reply.value("sv_maxclients")));
    for (const Player& player : reply.players)
        out += QStringLiteral("  %1%2  score %3, ping %4\n")
                   .arg(text(player.name), player.ping == 0 ? QStringLiteral(" (bot)") : QString())
                   .arg(player.score)
                   .arg(player.ping);
    return out;
}

QString slotLine(const QString& slot, std::uint16_t port, const ServerReply* reply) {
    const QString state = reply ? QStringLiteral("answers: %1").arg(text(reply->value("hostname")))
                                : QStringLiteral("no answer");
    return QStringLiteral("%1\t%2\t%3\n").arg(slot).arg(port).arg(state);
}

} // namespace fd::hosting
