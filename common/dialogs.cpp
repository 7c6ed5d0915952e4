#include "common/dialogs.h"

#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ks {
namespace {

QString showFileDialog(bool save, const QString& filter, const QString& defaultExt, const QString& startFolder,
                       std::uint32_t flags, QWidget* owner, int& filterIndex)
{
    try {
        ui::FileDialogRequest request;
        request.save = save;
        request.filter = filter;
        request.defaultExt = defaultExt;
        request.startFolder = startFolder;
        request.flags = save ? flags : flags | ui::Explorer;
        request.owner = owner ? owner : QApplication::activeWindow();
        request.filterIndex = filterIndex;
        ui::FileDialogResult result = ui::backend().fileDialog(request);
        if (!result.path.isEmpty())
            filterIndex = result.filterIndex;
        return result.path;
    } catch (...) {
        return QString();   // a failing dialog counts as no choice
    }
}

// Whole number nearest to v, a half going to the even neighbour.
int nearest(double v) { return int(std::nearbyint(v)); }

}

QString ShowOpenDialog(const QString& filter, const QString& defaultExt, const QString& startFolder,
                       std::uint32_t flags, QWidget* owner, int& filterIndex)
{
    return showFileDialog(false, filter, defaultExt, startFolder, flags, owner, filterIndex);
}

QString ShowSaveDialog(const QString& filter, const QString& defaultExt, const QString& startFolder,
                       std::uint32_t flags, QWidget* owner, int& filterIndex)
{
    return showFileDialog(true, filter, defaultExt, startFolder, flags, owner, filterIndex);
}

void HourglassOn() { ui::setHourglass(true); }
void HourglassOff() { ui::setHourglass(false); }

ScreenPoint formontopPosition(int screenWidth, int screenHeight, int innerWidth, int innerHeight)
{
    const double w = double(innerWidth) / screenWidth;
    const double h = double(innerHeight) / screenHeight;
    return {nearest(nearest(screenWidth * (1 - w)) * 0.96), nearest(nearest(screenHeight - screenHeight * h) * 0.9)};
}

void formontop(QWidget& window)
{
    try {
        QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
        if (!screen)
            throw RuntimeError(5, "Invalid procedure call or argument");
        const QRect area = screen->geometry();
        const ScreenPoint at = formontopPosition(area.width(), area.height(), window.width(), window.height());
        const bool wasVisible = window.isVisible();
        window.setWindowFlag(Qt::WindowStaysOnTopHint, true);   // hides the window
        window.move(area.left() + at.x, area.top() + at.y);
        if (wasVisible)
            window.show();
        window.raise();
        window.activateWindow();
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "formontopErr");
    }
}

}
