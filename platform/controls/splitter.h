#pragma once
// A splitter with two named panes, "Pane A" and "Pane B", each filled by the
// widget put into it; placed in twips.
#include <QSplitter>
#include <QString>

namespace ks::controls {

class Splitter : public QSplitter {
public:
    explicit Splitter(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    // nullptr for a name that is no pane.
    QWidget* Pane(const QString& name) const;
    // Puts content into the pane, filling it; a name that is no pane does nothing.
    void setPaneContent(const QString& name, QWidget* content);

    // Moves and sizes the splitter in twips; raises kInvalidPropertyValue for a
    // negative width or height and leaves the splitter as it was.
    void Move(double left, double top, double width, double height);

private:
    QWidget* paneA_;
    QWidget* paneB_;
};

}
