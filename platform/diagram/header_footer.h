#pragma once
// A page's header or footer: "left|centre|right", each part drawn at its
// side of the band, "<PAGE>" replaced by the page number.
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace ks::diagram {

// The three parts of a header or footer text for one page; missing parts are
// empty, and text after a third "|" belongs to the right part.
QStringList headerFooterParts(const QString& text, int page);

QFont headerFooterFont();
void drawHeaderFooter(QPainter& painter, const QFont& font, const QRectF& band, const QString& text, int page);

}
