#pragma once
// The program as the user meets it: its four windows, each created on first use, shown,
// hidden and closed as the program's controls say. The program ends when every window is
// closed.

#include "ui/WindowManager.h"

class QWidget;

namespace fd {

class Program;

class Desktop {
public:
    explicit Desktop(Program& program);

    // Runs the main window's load step, then builds the main window and shows it unless the
    // load step hid it.
    // False when start-up could not go on and closed the program.
    bool start();
    // The window's widget, created now if it was not yet; null once it is closed.
    QWidget* window(Window window);

private:
    QWidget* create(Window window);

    Program& program_;
    ui::WindowManager windows_;
};

} // namespace fd
