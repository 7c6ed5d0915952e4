#pragma once
// An etched rule: a dark grey line with a white one beside it, upright or
// lying, across the whole control.
#include <QLine>
#include <QVariantMap>
#include <QWidget>

namespace ks {

class ucEctchedLines : public QWidget {
public:
    explicit ucEctchedLines(QWidget* parent = nullptr);

    bool Vertical() const { return vertical_; }
    void setVertical(bool vertical);

    // The control's stored properties: "Vertical", True when not stored.
    void InitProperties();
    void ReadProperties(const QVariantMap& bag);
    void WriteProperties(QVariantMap& bag) const;

    // The two lines in twips, as laid out last.
    QLine lin1() const { return lin1_; }
    QLine lin2() const { return lin2_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut();

    bool vertical_ = true;
    QLine lin1_;
    QLine lin2_;
};

}
