#pragma once
// The print preview of a diagram: the diagram laid out on pages with a header
// and a footer, either shrunk to fit one page or, at the diagram's own zoom,
// spread over as many pages across and down as it needs. The widget shows one
// page at a zoom; Print draws every page on a printer (or a PDF file).
//
// Header and footer texts are three parts "left|centre|right"; "<PAGE>" in them
// becomes the page number. Margins are 1440 twips; texts are in Arial.
#include "platform/diagram/page_grid.h"

#include <QPageSize>
#include <QPointer>
#include <QScrollArea>
#include <QString>

class QPainter;
class QPrinter;

namespace ks::diagram {

class DiagramControl;

class PrintPreview : public QScrollArea {
public:
    explicit PrintPreview(QWidget* parent = nullptr);
    ~PrintPreview() override;

    // The diagram to preview; it may go away, the preview then shows empty pages.
    DiagramControl* Diagram() const { return diagram_; }
    void setDiagram(DiagramControl* diagram);

    const QString& Header() const { return header_; }
    void setHeader(const QString& text);
    const QString& Footer() const { return footer_; }      // default "|<PAGE>|"
    void setFooter(const QString& text);
    // The document's name for the printer and the PDF file's title.
    const QString& Title() const { return title_; }
    void setTitle(const QString& text) { title_ = text; }

    // 1 portrait, 2 landscape; others raise kErrBadArgument.
    int Orientation() const { return orientation_; }
    void setOrientation(int orientation);
    bool FitToPage() const { return fit_; }
    void setFitToPage(bool fit);
    // The paper the pages are laid out on (A4 until set).
    QPageSize PageSize() const { return pageSize_; }
    void setPageSize(const QPageSize& size);

    // ---- The layout, as of the last Refresh.
    int PageCount() const { return grid_.pages(); }
    int PagesAcross() const { return grid_.across; }
    int PagesDown() const { return grid_.down; }
    // From 1, pages counted across first.
    int CurrentPage() const { return current_; }
    void setCurrentPage(int page);   // kErrBadArgument outside 1..PageCount
    void NextPage();                  // nothing on the last page
    void PreviousPage();              // nothing on the first page

    // The zoom of the page on screen, in percent (10 to 400; else kErrBadArgument).
    int Zoom() const { return zoom_; }
    void setZoom(int percent);

    // Lays the pages out again from the diagram's items and zoom.
    void Refresh();
    // Lays out on the printer's paper in this preview's orientation and draws
    // every page; kErrPrinter when the printer cannot be drawn on or a PDF
    // file not written whole (the file chosen then stays as it was). The
    // preview's own paper and layout are left as they were.
    void Print(QPrinter& printer);

    // Draws page (from 1) of the current layout in twips of the paper, (0,0)
    // its top-left corner.
    void paintPage(QPainter& painter, int page) const { paintPage(painter, page, grid_); }

private:
    class PageView;
    PageGrid layOut(const QPageSize& paper) const;
    void paintPage(QPainter& painter, int page, const PageGrid& grid) const;
    // Every page on printer; false when the printer cannot be drawn on.
    bool printPages(QPrinter& printer) const;
    void paintDiagramPart(QPainter& painter, int page, const PageGrid& grid) const;
    void showPage();

    QPointer<DiagramControl> diagram_;
    PageView* view_ = nullptr;
    QString header_, footer_ = QStringLiteral("|<PAGE>|"), title_;
    QPageSize pageSize_{QPageSize::A4};
    int orientation_ = 1;
    bool fit_ = false;
    PageGrid grid_;
    int current_ = 1, zoom_ = 100;
};

}
