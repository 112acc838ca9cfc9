#include "MainWindow.h"

#include "Binder.h"
#include "FormBuilder.h"
#include "catalog/MapPictures.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace fd::ui {

namespace {
constexpr layout::Rect clientArea{0, 0, 10305, 8445};
constexpr layout::Rect tabControl{150, 1275, 9990, 6540};
constexpr int tabRowTwips = 300; // the row of tabs, counted in the places of tab widgets

QTabWidget* buildTabs(QWidget* window) {
    auto* tabs = new QTabWidget(window);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    tabs->setGeometry(pixels(tabControl));
    QFont captions(QString::fromLatin1(layout::Verdana));
    captions.setPixelSize(12);
    captions.setBold(true);
    tabs->tabBar()->setFont(captions);
    for (const layout::TabLayout& tab : layout::mainWindowTabs()) {
        auto* page = new QWidget;
        buildWidgets(page, tab.widgets, tabRowTwips);
        tabs->addTab(page, QString::fromLatin1(tab.caption));
    }
    return tabs;
}
} // namespace

MainWindow::MainWindow(FormModel& form, const QString& appFolder) {
    setObjectName(QStringLiteral("frmFragDocker"));
    setWindowTitle(QStringLiteral("FragDocker 1.02 Beta"));
    setWindowIcon(QIcon(appFolder + QStringLiteral("/fragdocker.png")));
    setFixedSize(pixels(clientArea).size());

    buildWidgets(this, layout::mainWindow());
    buildTabs(this);
    if (auto* banner = findChild<QLabel*>(QStringLiteral("Picture1")))
        banner->setPixmap(QPixmap(appFolder + QStringLiteral("/banner.png")));
    auto* binder = new Binder(form, this);
    binder->setPlaceholderPicture(placeholderPicture(appFolder));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (auto* engage = findChild<QPushButton*>(QStringLiteral("cmdEngage")))
        engage->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace fd::ui
