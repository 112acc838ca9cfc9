#include "TestProgram.h"

#include "app/Program.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace fd::test {

TestFolders::TestFolders() {
    gameFolder_ = gameDir_.filePath(u"Elite Force"_s);
    QDir().mkpath(gameFolder_);
    QFile(gameFolder_ + u"/stvoyHM.exe"_s).open(QIODevice::WriteOnly);
    (void)text::writeLines(appDir_.filePath(u"path.ini"_s), {gameFolder_}); // checked by use
}

TestProgram::TestProgram(std::shared_ptr<TestFolders> folders, Start when)
    : folders_(std::move(folders)) {
    if (when == Start::Now)
        start();
}

void TestProgram::start() {
    Form_Load(program);
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
