#pragma once
// The main window: the banner, the tab control with the seven tabs, and ENGAGE.

#include <QWidget>

namespace fd {
class FormModel;
}

namespace fd::ui {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(FormModel& form, const QString& appFolder);

Q_SIGNALS:
    // The user closes the window by its frame; the program decides what closes.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace fd::ui
