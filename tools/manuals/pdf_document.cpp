#include "tools/manuals/pdf_document.h"

#include "platform/files/files.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

namespace ks::tools {

bool writePdf(const QString& path, const QString& html, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    pdf.setResolution(96);   // the text's point sizes at screen scale
    pdf.setTitle(title);
    QTextDocument text;
    QFont font("DejaVu Sans");
    font.setPointSize(11);
    text.setDefaultFont(font);
    text.setHtml(html);
    text.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    text.drawContents(&painter);
    if (!painter.end())
        return false;
    const files::Outcome saved = files::saveFile(path.toStdString(), bytes.toStdString());
    if (!saved)
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), saved.reason.c_str());
    return bool(saved);
}

}
