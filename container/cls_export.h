#pragma once
// The inputs of an export of a diagram to a file: the window it is shown from, the
// diagram and the file name. The class only carries them: its ShowDialog does
// nothing, and no command of the program creates one.
#include <QPointer>
#include <QString>
#include <QWidget>

namespace ks::diagram {
class DiagramControl;
}

namespace ks::container {

class clsExport {
public:
    QWidget* Frm() const { return frm_; }
    void setFrm(QWidget* window) { frm_ = window; }
    diagram::DiagramControl* AF() const { return af_; }
    void setAF(diagram::DiagramControl* diagram) { af_ = diagram; }
    const QString& Filename() const { return filename_; }
    void setFilename(const QString& name) { filename_ = name; }

    void ShowDialog() {}

private:
    QPointer<QWidget> frm_;
    diagram::DiagramControl* af_ = nullptr;
    QString filename_;
};

}
