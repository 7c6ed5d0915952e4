#pragma once
// A picture that acts as a button: mouse down, mouse up and click events.
#include <QLabel>

namespace ks {

class ImageButton : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Loads the picture file anew each time, as the navigation window does.
    void setPictureFile(const QString& path);

signals:
    void MouseDown();
    void MouseUp();
    // A release over the picture after a press on it.
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}
