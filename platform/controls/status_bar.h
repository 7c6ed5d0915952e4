#pragma once
// A status bar of panels addressed by text keys, each with a text and a width
// in twips; a spring panel takes the room the others leave. Reading or
// setting a panel by a key that no panel has does nothing.
#include <QString>
#include <QWidget>

#include <vector>

namespace ks::controls {

struct PanelPlace {
    QString key;
    double left = 0;    // twips from the bar's left edge
    double width = 0;   // twips
};

class StatusBar : public QWidget {
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void AddPanel(const QString& key, const QString& text, double widthTwips, bool spring = false);
    int PanelCount() const { return int(panels_.size()); }
    QString PanelText(const QString& key) const;
    void setPanelText(const QString& key, const QString& text);
    // Every panel in order, where it is now.
    std::vector<PanelPlace> PanelPlaces() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        QString key, text;
        double width = 0;
        bool spring = false;
    };
    // Pixel rectangles of the panels at the current size.
    std::vector<QRect> panelRects() const;
    std::vector<Panel> panels_;
};

}
