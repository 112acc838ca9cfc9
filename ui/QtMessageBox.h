#pragma once

#include "core/Services.h"

namespace fd::ui {

// The program's message box: its name as title, the text, and an OK button only.
class QtMessageBox : public MessageBox {
public:
    void show(const QString& text) override;
};

} // namespace fd::ui
