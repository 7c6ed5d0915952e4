#pragma once
#include "platform/ui/ui.h"

namespace ks::ui {

// Real dialogs on screen.
class QtBackend : public Backend {
public:
    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const InputBoxRequest& request) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    bool printDialog(QPrinter& printer, QWidget* owner) override;
    bool pageSetupDialog(QPrinter& printer, QWidget* owner) override;
    bool fontDialog(FontChoice& font, QWidget* owner) override;
    bool colorDialog(QColor& color, QWidget* owner) override;
    void beep() override;
    void setHourglass(bool on) override;
};

}
