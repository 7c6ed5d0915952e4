#pragma once
// A picture that acts as a button: mouse down, mouse up and click handlers.
#include <QLabel>
#include <functional>

namespace ks {

class ImageButton : public QLabel {
public:
    using QLabel::QLabel;

    std::function<void()> onMouseDown, onMouseUp, onClick;
    // Loads the picture file anew each time, as the navigation window does.
    void setPictureFile(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}
