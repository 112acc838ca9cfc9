// Takes a picture of every tab of the main window and of the three small windows, as the
// program shows them on a fresh start with its demo data. Run it under a real display (for
// example Xvfb) to see the program as a user does:
//     fd_screenshots APPLICATION_FOLDER OUTPUT_FOLDER

#include "app/Program.h"
#include "catalog/MapPictures.h"
#include "core/Context.h"
#include "core/NullServices.h"
#include "core/TextFile.h"
#include "ui/MainWindow.h"
#include "ui/ProgramLook.h"
#include "ui/SmallWindow.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>

namespace {

// A copy of the application folder, so that taking pictures leaves the real one untouched.
QString copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& entry :
         QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        const QString target = to + u'/' + entry.fileName();
        if (entry.isDir())
            copyFolder(entry.filePath(), target);
        else
            QFile::copy(entry.filePath(), target);
    }
    return to;
}

void save(QWidget& widget, const QString& file) {
    widget.show();
    QApplication::processEvents();
    widget.grab().save(file);
    QTextStream(stdout) << file << '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: fd_screenshots APPLICATION_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    fd::ui::installProgramLook();

    // A fixed folder rather than a random one: the game folder's path shows on a page, so that
    // pictures of two runs compare.
    QDir temp(QDir::tempPath() + QStringLiteral("/fd_screenshots"));
    temp.removeRecursively();
    const QString appFolder = copyFolder(QString::fromLocal8Bit(argv[1]), temp.path());
    const QString output = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(output);

    // Without a remembered game folder, the bundled demo game, as the run script sets it.
    if (!QFile::exists(appFolder + QStringLiteral("/path.ini")))
        (void)fd::text::writeLines(appFolder + QStringLiteral("/path.ini"),
                                   {appFolder + QStringLiteral("/demo/Elite Force")});

    fd::NullServices none;
    fd::Program program({none, none, none, none}, appFolder);
    fd::FormModel& form = program.form;
    fd::Form_Load(program);

    fd::ui::MainWindow window(form, appFolder, fd::placeholderPicture(appFolder));
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QString name = tabs->tabText(i).toLower().remove(u'/');
        save(window, output + QStringLiteral("/main-%1-%2.png").arg(i + 1).arg(name));
    }
    // The Maps and Bots tabs in use: a map clicked, a rotation and a roster built.
    form.setSelectedIndex(fd::ctl::List1, 4);
    form.click(fd::ctl::cmdAdd);
    form.click(fd::ctl::cmdAllFragdockMaps);
    for (int bot : {0, 14, 21}) {
        form.setSelectedIndex(fd::ctl::list3, bot);
        form.click(fd::ctl::cmdAddBot);
    }
    for (int tab : {2, 3}) {
        tabs->setCurrentIndex(tab);
        const QString name = tabs->tabText(tab).toLower();
        save(window, output + QStringLiteral("/main-%1-%2-in-use.png").arg(tab + 1).arg(name));
    }
    const std::pair<const fd::ui::SmallWindowLayout&, const char*> dialogs[] = {
        {fd::ui::gamePathDialog(), "dialog-game-path"},
        {fd::ui::errorMapNotice(), "notice-missing-picture"},
        {fd::ui::runningNotice(), "notice-running"}};
    for (const auto& [look, file] : dialogs) {
        fd::ui::SmallWindow dialog(form, look);
        save(dialog, output + u'/' + QString::fromLatin1(file) + QStringLiteral(".png"));
    }
    temp.removeRecursively();
    return 0;
}
