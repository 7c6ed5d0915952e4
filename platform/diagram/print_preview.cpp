#include "platform/diagram/print_preview.h"

#include "platform/diagram/diagram_control.h"
#include "platform/diagram/diagram_errors.h"
#include "platform/diagram/header_footer.h"
#include "platform/printing/pdf_output.h"
#include "platform/runtime/events.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>

namespace ks::diagram {

namespace {

constexpr double kMargin = 1440;   // twips on every side
constexpr int kMinZoom = 10, kMaxZoom = 400;

QPageLayout::Orientation pageOrientation(int orientation)
{
    return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QSizeF paperTwips(const QPageSize& size, int orientation)
{
    const QSizeF points = size.size(QPageSize::Point);
    const QSizeF twips = points * 20;
    return orientation == 2 ? twips.transposed() : twips;
}

}

// The page on screen: white paper at the preview's zoom.
class PrintPreview::PageView : public QWidget {
public:
    explicit PageView(PrintPreview& preview) : QWidget(&preview), preview_(preview) {}

    void fitToPaper()
    {
        const QSizeF paper = preview_.grid_.paper;
        const double zoom = preview_.zoom_ / 100.0;
        setFixedSize(std::max(1, int(paper.width() * zoom / twipsPerPixelX())),
                     std::max(1, int(paper.height() * zoom / twipsPerPixelY())));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        const double zoom = preview_.zoom_ / 100.0;
        painter.scale(zoom / twipsPerPixelX(), zoom / twipsPerPixelY());
        preview_.paintPage(painter, preview_.current_);
    }

private:
    PrintPreview& preview_;
};

PrintPreview::PrintPreview(QWidget* parent) : QScrollArea(parent), view_(new PageView(*this))
{
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setWidget(view_);
    grid_ = layOut(pageSize_);
    showPage();
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::setDiagram(DiagramControl* diagram)
{
    diagram_ = diagram;
}

void PrintPreview::setHeader(const QString& text)
{
    header_ = text;
    view_->update();
}

void PrintPreview::setFooter(const QString& text)
{
    footer_ = text;
    view_->update();
}

void PrintPreview::setOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        raiseError(kErrBadArgument, "Invalid orientation " + std::to_string(orientation));
    orientation_ = orientation;
}

void PrintPreview::setFitToPage(bool fit)
{
    fit_ = fit;
}

void PrintPreview::setPageSize(const QPageSize& size)
{
    if (!size.isValid())
        raiseError(kErrBadArgument, "Invalid paper size");
    pageSize_ = size;
}

void PrintPreview::setCurrentPage(int page)
{
    if (page < 1 || page > PageCount())
        raiseError(kErrBadArgument, "Invalid page " + std::to_string(page));
    current_ = page;
    showPage();
}

void PrintPreview::NextPage()
{
    if (current_ < PageCount())
        setCurrentPage(current_ + 1);
}

void PrintPreview::PreviousPage()
{
    if (current_ > 1)
        setCurrentPage(current_ - 1);
}

void PrintPreview::setZoom(int percent)
{
    if (percent < kMinZoom || percent > kMaxZoom)
        raiseError(kErrBadArgument, "Invalid zoom " + std::to_string(percent));
    zoom_ = percent;
    showPage();
}

void PrintPreview::Refresh()
{
    grid_ = layOut(pageSize_);
    current_ = std::clamp(current_, 1, PageCount());
    showPage();
}

void PrintPreview::Print(QPrinter& printer)
{
    printer.setPageOrientation(pageOrientation(orientation_));
    // The pages place their own margins; the printer's setting is put back after.
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    const auto restore = qScopeGuard([&] { printer.setFullPage(fullPage); });
    printer.setDocName(title_);
    printer.setCreator(title_);
    const files::Outcome printed = printing::printWhole(printer, [&] { return printPages(printer); });
    if (!printed)
        raiseError(kErrPrinter, "Printer error: " + printed.reason);
}

bool PrintPreview::printPages(QPrinter& printer) const
{
    const PageGrid grid = layOut(printer.pageLayout().pageSize());
    QPainter painter;
    if (!printer.isValid() || !painter.begin(&printer))
        return false;
    const double dotsPerTwip = printer.resolution() / 1440.0;
    painter.scale(dotsPerTwip, dotsPerTwip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int page = 1; page <= grid.pages(); ++page) {
        if (page > 1 && !printer.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, page, grid);
    }
    return painter.end();
}

PageGrid PrintPreview::layOut(const QPageSize& paper) const
{
    QSizeF diagram;
    if (diagram_)
        diagram = QSizeF(diagram_->DiagramWidth() * diagram_->xZoom() / 100.0,
                         diagram_->DiagramHeight() * diagram_->yZoom() / 100.0);
    return layOutPages(paperTwips(paper, orientation_), kMargin, diagram, fit_);
}

void PrintPreview::paintPage(QPainter& painter, int page, const PageGrid& grid) const
{
    paintDiagramPart(painter, page, grid);
    const QFont font = headerFooterFont();
    const double left = grid.area.left(), width = grid.area.width();
    drawHeaderFooter(painter, font, QRectF(left, 0, width, grid.area.top()), header_, page);
    drawHeaderFooter(painter, font, QRectF(left, grid.area.bottom(), width, grid.paper.height() - grid.area.bottom()),
                     footer_, page);
}

void PrintPreview::paintDiagramPart(QPainter& painter, int page, const PageGrid& grid) const
{
    if (!diagram_)
        return;
    const int row = (page - 1) / grid.across, column = (page - 1) % grid.across;
    painter.save();
    painter.setClipRect(grid.area);
    painter.translate(grid.area.left() - column * grid.area.width(), grid.area.top() - row * grid.area.height());
    painter.scale(grid.scale * diagram_->xZoom() / 100.0, grid.scale * diagram_->yZoom() / 100.0);
    diagram_->paintDiagram(painter, false);
    painter.restore();
}

void PrintPreview::showPage()
{
    view_->fitToPaper();
}

}
