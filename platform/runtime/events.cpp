#include "platform/runtime/events.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ks {

void DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {

double dpi(bool horizontal)
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = app->primaryScreen())
            return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    }
    return 96.0;
}

}

double twipsPerPixelX() { return kTwipsPerInch / dpi(true); }
double twipsPerPixelY() { return kTwipsPerInch / dpi(false); }
int twipsToPixelsX(double twips) { return int(std::lround(twips / twipsPerPixelX())); }
int twipsToPixelsY(double twips) { return int(std::lround(twips / twipsPerPixelY())); }
double pixelsToTwipsX(int pixels) { return pixels * twipsPerPixelX(); }
double pixelsToTwipsY(int pixels) { return pixels * twipsPerPixelY(); }

}
