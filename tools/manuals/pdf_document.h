#pragma once
// A short A4 PDF of a page of HTML text, written whole to path.
#include <QString>

namespace ks::tools {

bool writePdf(const QString& path, const QString& html, const QString& title = QStringLiteral("Orvantis"));

}
