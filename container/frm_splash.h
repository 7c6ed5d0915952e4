#pragma once
// The start-up window: the splash picture with the program's title, version
// and legal notice, and the progress text lblDoing that the main window's
// load writes.
#include "platform/runtime/form.h"

class QLabel;

namespace ks::container {

class frmSplash : public Form {
public:
    frmSplash();

    QLabel* imgLogo = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblNotice = nullptr;
    QLabel* lblDoing = nullptr;

    // Shows a progress text at once: the label comes to the front and is
    // repainted, and pending window events run.
    void setDoing(const QString& text);

protected:
    void Form_Load() override;
    void resizeEvent(QResizeEvent* event) override;
};

// The splash's progress label, loading the splash (hidden) when it is not.
void ShowProgress(const QString& text);

}
