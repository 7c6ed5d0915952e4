#pragma once
// The grid of the workbook control: headings, the cells of the current sheet, the cursor
// and selection, the in-cell editor and the embedded drop-downs. It turns the user's
// keys and clicks into the control's events, in the order the control promises.
#include "platform/workbook/engine/book.h"
#include "platform/workbook/view/sheet_geometry.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <map>

class QComboBox;
class QLineEdit;

namespace ks::workbook::view {

class WorkbookControl;

class GridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit GridView(WorkbookControl& control);

    void bookChanged(const BookChange& change);
    bool editing() const { return editing_; }
    // Ends an edit with the usual events; false when the entry was refused and the edit stays.
    bool commitEdit();
    void cancelEdit();
    void scrollToCursor();
    void setHeadingsShown(bool shown);

    QLineEdit* cellEditor() const { return editor_; }
    // The middle of a cell in viewport coordinates, as a pointer would click it.
    QPoint cellCenter(int row, int col);
    QComboBox* listBox(int id) const;
    int topRow() const;
    int leftColumn() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    const SheetGeometry& geometry();
    QPoint sheetOrigin();  // sheet pixel shown at the top-left of the cell area
    std::optional<CellPos> cellAtPoint(const QPoint& point);
    void paintHeadings(QPainter& p, const Block& shown);
    void paintSelection(QPainter& p);
    Block shownBlock();

    void startEdit(const QString& text);
    bool editorKeyPress(QKeyEvent* event);
    void moveCursor(int key, int shift);
    void extendSelection(int key);
    void deleteSelection();
    void placeEditor();
    void syncLists();
    void placeLists();
    void raiseKeyUp(QKeyEvent* event);

    WorkbookControl& control_;
    Book& book_;
    SheetGeometry geometry_;
    bool geometryDirty_ = true;
    int shownSheet_ = 0;
    int rowHeaderWidth_ = 44, colHeaderHeight_ = 20;
    bool headings_ = true;

    QLineEdit* editor_ = nullptr;
    bool editing_ = false;
    CellPos editCell_;
    bool dragging_ = false;
    CellPos anchor_, extentEnd_;  // corners of a selection being extended
    std::map<int, QPointer<QComboBox>> lists_;
};

}
