#pragma once
// The control's cell-format dialog: number format, alignment and protection pages of the
// selection's format; which pages it shows is the caller's choice.
#include "platform/workbook/engine/cell_format.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace ks::workbook::view {

class FormatCellsDialog : public QDialog {
    Q_OBJECT
public:
    enum Page { NumberPage = 1, AlignmentPage = 2, ProtectionPage = 4 };

    FormatCellsDialog(const CellFormat& initial, int pages, QWidget* parent);
    int pages() const { return pages_; }
    // The initial format with the dialog's choices applied.
    CellFormat chosen() const;

private:
    QWidget* numberPage();
    QWidget* alignmentPage();
    QWidget* protectionPage();

    CellFormat initial_;
    int pages_;
    QLineEdit* numberFormat_ = nullptr;
    QComboBox* horizontal_ = nullptr;
    QComboBox* vertical_ = nullptr;
    QCheckBox* wrap_ = nullptr;
    QCheckBox* locked_ = nullptr;
    QCheckBox* hidden_ = nullptr;
};


}
