#pragma once
// Letting pending window events run, and sizes in twips.
#include <QPoint>
#include <QSize>

namespace ks {

// Runs the window events that are waiting, once.
void DoEvents();

// Twips stay twips in the code; these convert at the widget boundary.
constexpr int kTwipsPerInch = 1440;
double twipsPerPixelX();
double twipsPerPixelY();
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(int pixels);
double pixelsToTwipsY(int pixels);

}
