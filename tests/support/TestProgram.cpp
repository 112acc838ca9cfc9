#include "TestProgram.h"

#include "app/Program.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>

namespace fd::test {

TestFolders::TestFolders() {
    gameFolder_ = gameDir_.filePath(QStringLiteral("Elite Force"));
    QDir().mkpath(gameFolder_);
    QFile(gameFolder_ + QStringLiteral("/stvoyHM.exe")).open(QIODevice::WriteOnly);
    text::writeLines(appDir_.filePath(QStringLiteral("path.ini")), {gameFolder_});
}

TestProgram::TestProgram(std::shared_ptr<TestFolders> folders, Start when)
    : folders_(std::move(folders)) {
    if (when == Start::Now)
        start();
}

void TestProgram::start() {
    Form_Load(ctx);
    startUp = log;
    log.events.clear(); // tests look at what their own clicks do
}

QString TestProgram::makeDataFolder(const QString& name) {
    const QString path = gameFolder() + u'/' + name;
    QDir().mkpath(path);
    return path;
}

QByteArray TestProgram::readGameFile(const QString& relative) const {
    QFile file(gameFolder() + u'/' + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fd::test
