#include "WinePrefix.h"

#include <QDir>

namespace fd {

QString winePrefixInUse() {
    const QString named = qEnvironmentVariable("WINEPREFIX");
    return named.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : named;
}

} // namespace fd
