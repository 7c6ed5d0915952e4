#include "container/progress_on_status_bar.h"

#include "container/parent_api.h"
#include "platform/runtime/events.h"

#include <QProgressBar>

namespace ks {
namespace {

void flatten(QProgressBar& bar)
{
    bar.setStyleSheet(QStringLiteral("QProgressBar { border: none; background: transparent; }"
                                     "QProgressBar::chunk { background: palette(highlight); }"));
}

}

void cProgressOnStatusBar::SetProgressBar(QProgressBar& progressBar, QWidget& statusBar,
                                          const std::vector<StatusPanelPlace>& panels) const
{
    flatten(progressBar);
    cParentAPI parents;
    if (parents.ParentOf(progressBar) != &statusBar)
        parents.SetNewParent(progressBar, &statusBar);
    const float barHeight = float(pixelsToTwipsY(statusBar.height()));
    for (const StatusPanelPlace& panel : panels) {
        if (panel.key != QLatin1String("PROGRESS"))
            continue;
        const float left = float(panel.left) + 40, width = float(panel.width) - 70, height = barHeight - 70;
        progressBar.setGeometry(twipsToPixelsX(left), twipsToPixelsY(40), std::max(0, twipsToPixelsX(width)),
                                std::max(0, twipsToPixelsY(height)));
    }
}

}
