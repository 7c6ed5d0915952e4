#include "platform/editor/view/print_document.h"
#include "platform/editor/view/doc_layout.h"
#include "platform/editor/vek32.h"
#include "platform/printing/pdf_output.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cmath>

namespace ks::editor::view {
namespace {

constexpr double kScreenDpi = 96.0;   // the layout's pixels: fonts are sized for 96 an inch
constexpr int kPrinterError = 482;

QString defaultPdfFile()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Document.pdf"));
}

}

bool printDocument(Editor& editor, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Lay out in screen pixels at the page's width, then scale each page to the device.
    const double scale = printer.resolution() / kScreenDpi;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = std::max(1, static_cast<int>(std::floor(page.width() / scale)));
    const int height = std::max(1, static_cast<int>(std::floor(page.height() / scale)));
    DocLayout layout(editor);
    layout.sync(width);
    std::vector<int> tops = layout.pageTops(height);
    tops.push_back(std::max(layout.height(), tops.back() + 1));
    PaintOptions options;   // no selection, no marks: the text as it reads
    for (std::size_t n = 0; n + 1 < tops.size(); ++n) {
        if (n > 0)
            printer.newPage();
        QRect clip(0, tops[n], width, tops[n + 1] - tops[n]);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -tops[n]);
        painter.setClipRect(clip);
        layout.paint(painter, clip, options);
        painter.restore();
    }
    return painter.end();
}

int printWindow(HWND hWnd)
{
    Editor* editor = findEditor(hWnd);
    if (!editor)
        return 0;
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinterName().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(defaultPdfFile());
    }
    if (!ui::backend().printDialog(printer, nullptr))
        return 0;
    const files::Outcome printed = printing::printWhole(printer, [&] { return printDocument(*editor, printer); });
    if (printed)
        return 1;
    QString where = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    ui::showFailure(RuntimeError(kPrinterError, "Printer error: the document could not be printed to " +
                                                    where.toStdString() + " (" + printed.reason + ")."),
                    QStringLiteral("Print"));
    return 0;
}

void installPrintHandler()
{
    static const bool installed = [] {
        VekSetPrintHandler(&printWindow);
        return true;
    }();
    (void)installed;
}

}
