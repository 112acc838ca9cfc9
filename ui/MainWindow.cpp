#include "MainWindow.h"

#include "Binder.h"
#include "FormBuilder.h"
#include "core/PathResolver.h"

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

// The tab control with an empty page per tab: pages are filled when first shown.
QTabWidget* buildTabs(QWidget* window) {
    auto* tabs = new QTabWidget(window);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    tabs->setGeometry(pixels(tabControl));
    tabs->tabBar()->setFont(tabCaptionFont());
    for (const layout::TabLayout& tab : layout::mainWindowTabs())
        tabs->addTab(new QWidget, QString::fromLatin1(tab.caption));
    return tabs;
}
} // namespace

MainWindow::MainWindow(FormModel& form, const QString& appFolder, const QString& placeholderPicture)
    : pageBuilt_(layout::mainWindowTabs().size(), false) {
    setObjectName(QStringLiteral("frmFragDocker"));
    setWindowTitle(QStringLiteral("FragDocker 1.02 Beta"));
    // Each picture's format is given: that spares probing every format on it.
    setWindowIcon(QIcon(QPixmap(fileIn(appFolder, "fragdocker.png"), "PNG")));
    setFixedSize(pixels(clientArea).size());

    buildWidgets(this, layout::mainWindow());
    tabs_ = buildTabs(this);
    if (auto* banner = findChild<QLabel*>(QStringLiteral("Picture1")))
        banner->setPixmap(QPixmap(fileIn(appFolder, "banner.bmp"), "BMP"));
    binder_ = new Binder(form, this);
    binder_->setPlaceholderPicture(placeholderPicture);
    buildPage(tabs_->currentIndex());
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::buildPage);
}

void MainWindow::buildPage(int index) {
    if (index < 0 || pageBuilt_[std::size_t(index)])
        return;
    pageBuilt_[std::size_t(index)] = true;
    // Built and bound while hidden, then shown whole, as a page built at start is: each label
    // then sees which controls lie over it.
    QWidget* page = tabs_->widget(index);
    const bool onScreen = page->isVisible();
    if (onScreen)
        page->hide();
    buildWidgets(page, layout::mainWindowTabs()[std::size_t(index)].widgets, tabRowTwips);
    binder_->bindWidgetsUnder(page);
    if (onScreen)
        page->show();
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
