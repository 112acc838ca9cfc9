#pragma once
// The main window: the banner, the tab control with the seven tabs, and ENGAGE. A tab's page
// is built the first time the tab is shown; its widgets then show the controls' state as the
// model holds it at that moment. The keyboard focus starts on ENGAGE.

#include <QWidget>

class QTabWidget;

namespace fd {
class FormModel;
}

namespace fd::ui {

class Binder;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The window takes its icon and banner from the application folder, and shows the placeholder
    // picture in the map picture box when a map has none.
    MainWindow(FormModel& form, const QString& appFolder, const QString& placeholderPicture);

Q_SIGNALS:
    // The user closes the window by its frame; the program decides what closes.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage(QWidget* page);

    QTabWidget* tabs_;
    Binder* binder_;
};

} // namespace fd::ui
