#pragma once
// Places a progress bar inside the status-bar panel keyed "PROGRESS".
#include <QString>

#include <vector>

class QProgressBar;
class QWidget;

namespace ks {

// A status-bar panel as the placement needs it: its key and its place, in twips.
struct StatusPanelPlace {
    QString key;
    double left = 0;
    double width = 0;
};

class cProgressOnStatusBar {
public:
    // Flattens the bar, makes the status bar its parent, and moves it into
    // every panel keyed exactly "PROGRESS" in turn (the last one wins).
    void SetProgressBar(QProgressBar& progressBar, QWidget& statusBar,
                        const std::vector<StatusPanelPlace>& panels) const;
};

}
