#include "MainWindow.h"

#include "Binder.h"
#include "FormBuilder.h"
#include "ProgramLook.h"
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

MainWindow::MainWindow(FormModel& form, const QString& appFolder,
                       const QString& placeholderPicture) {
    setObjectName(QStringLiteral("frmFragDocker"));
    setWindowTitle(QStringLiteral("FragDocker " FD_VERSION " Beta"));
    // Each picture's format is given: that spares probing every format on it.
    setWindowIcon(QIcon(QPixmap(fileIn(appFolder, "fragdocker.png"), "PNG")));
    setFixedSize(pixels(clientArea).size());

    buildWidgets(this, layout::mainWindow());
    tabs_ = buildTabs(this);
    if (auto* banner = findChild<QLabel*>(QStringLiteral("Picture1")))
        banner->setPixmap(QPixmap(fileIn(appFolder, "banner.bmp"), "BMP"));
    binder_ = new Binder(form, this);
    binder_->setPlaceholderPicture(placeholderPicture);
    // Each page is built as it is shown: the page shown in place of one that held the focus is
    // whole by the time Qt passes the focus on to it, as a page built at start is.
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->widget(i)->installEventFilter(this);
    buildPage(tabs_->currentWidget());
    // The focus starts on ENGAGE; then it stays where the user leaves it, also while a dialog
    // hides the window.
    findChild<QPushButton*>(QStringLiteral("cmdEngage"))->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        buildPage(static_cast<QWidget*>(watched));
    return QWidget::eventFilter(watched, event);
}

void MainWindow::buildPage(QWidget* page) {
    page->removeEventFilter(this); // built once
    // Built and bound on a sheet that is then shown whole, as a page built at start is: each
    // label then sees which controls lie over it. The sheet is as large as the tab control;
    // the page shows what fits on it.
    auto* sheet = new QWidget(page);
    sheet->resize(tabs_->size());
    buildWidgets(sheet, layout::mainWindowTabs()[std::size_t(tabs_->indexOf(page))].widgets,
                 tabRowTwips);
    binder_->bindWidgetsUnder(sheet);
    sheet->show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace fd::ui
