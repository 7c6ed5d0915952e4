#pragma once
// The paste-special dialog: what of the copied block to paste.
#include <QDialog>

class QButtonGroup;

namespace ks::workbook::view {

class PasteSpecialDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasteSpecialDialog(QWidget* parent);
    // 1 all, 2 formulas, 3 values, 4 formats.
    int what() const;
    void setWhat(int what);

private:
    QButtonGroup* group_;
};

}
