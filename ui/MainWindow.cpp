#include "MainWindow.h"

#include "Binder.h"
#include "FormBuilder.h"
#include "ProgramLook.h"
#include "core/PathResolver.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtEndian>

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

// The banner: an uncompressed 24-bit BMP, as the program ships it, is read straight into the
// window's pixel format, a tenth of the work Qt's reader spends on it; any other picture is
// left to Qt's reader.
QPixmap bannerPicture(const QString& file) {
    QFile in(file);
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    constexpr qsizetype headerSize = 54; // the file's header and the picture's
    const auto field = [&bytes]<typename T>(qsizetype at, T) {
        return bytes.size() < headerSize ? T{} : qFromLittleEndian<T>(bytes.constData() + at);
    };
    const qint32 start = field(10, qint32{}), width = field(18, qint32{});
    const qint32 height = field(22, qint32{}); // positive: the bottom row first
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    const bool plain = bytes.startsWith("BM") && field(14, quint32{}) >= 40 &&
                       field(28, quint16{}) == 24 && field(30, quint32{}) == 0;
    if (!plain || width <= 0 || width > 10000 || height <= 0 || height > 10000 ||
        start < headerSize || bytes.size() - start < stride * height)
        return QPixmap(file, "BMP");
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* pixel =
            reinterpret_cast<const uchar*>(bytes.constData() + start) + stride * (height - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, pixel += 3)
            line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
    }
    return QPixmap::fromImage(std::move(image));
}

// On a screen whose free area is smaller than the window, the window fits that area and shows
// its contents in a scroll area, so that every control can be scrolled into view; elsewhere it
// has the fixed size of its contents. Returns the surface that holds the contents.
QWidget* fitToScreen(QWidget* window, QSize contents) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QSize free = screen ? screen->availableGeometry().size() : contents;
    free.rheight() -= window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    if (contents.width() <= free.width() && contents.height() <= free.height()) {
        window->setFixedSize(contents);
        return window;
    }
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    auto* surface = new QWidget;
    surface->setFixedSize(contents);
    area->setWidget(surface);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins({});
    layout->addWidget(area);
    window->resize(contents.boundedTo(free));
    return surface;
}

// Ctrl+Tab and Ctrl+PgDown show the next tab, Ctrl+Shift+Tab and Ctrl+PgUp the one before,
// wherever the focus is in the window; the tab control then places the focus as it does when
// a tab is clicked.
void addTabSwitchKeys(QWidget* window, QTabWidget* tabs) {
    const auto switchBy = [tabs](int step) {
        return [tabs, step] {
            const int count = tabs->count();
            tabs->setCurrentIndex((tabs->currentIndex() + step + count) % count);
        };
    };
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, tabs, switchBy(1));
    for (const QKeyCombination keys :
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::Key_PageUp})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, tabs, switchBy(-1));
}
} // namespace

MainWindow::MainWindow(FormModel& form, const QString& appFolder,
                       const QString& placeholderPicture) {
    setObjectName(QStringLiteral("frmFragDocker"));
    setWindowTitle(QStringLiteral("FragDocker " FD_VERSION " Beta"));
    setWindowIcon(QIcon(pictureOf(fileIn(appFolder, "fragdocker.png"), "PNG")));
    QWidget* surface = fitToScreen(this, pixels(clientArea).size());
    buildWidgets(surface, layout::mainWindow());
    tabs_ = buildTabs(surface);
    addTabSwitchKeys(this, tabs_);
    if (auto* banner = findChild<QLabel*>(QStringLiteral("Picture1")))
        banner->setPixmap(bannerPicture(fileIn(appFolder, "banner.bmp")));
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
    const layout::TabLayout& tab = layout::mainWindowTabs()[std::size_t(tabs_->indexOf(page))];
    buildWidgets(sheet, tab.widgets, tabRowTwips);
    nameInputs(sheet, tab.names);
    binder_->bindWidgetsUnder(sheet);
    sheet->show();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}

} // namespace fd::ui
