#pragma once
// One slide: its layout and its shapes in stacking order. Indices start at 1, as the
// presentation's callers count: shape(k) counts every shape, placeholder(k) only the
// layout's placeholders still on the slide.
#include "platform/slides/design.h"
#include "platform/slides/layout.h"
#include "platform/slides/shape.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ks::slides {

class Slide {
public:
    Slide(std::uint32_t id, Layout layout, const LayoutPattern& pattern);

    std::uint32_t id() const { return id_; }
    Layout layout() const { return layout_; }

    int shapeCount() const { return static_cast<int>(shapes_.size()); }
    Shape& shape(int index);
    const Shape& shape(int index) const;
    int placeholderCount() const;
    Shape& placeholder(int index);
    // Removes a shape; the ones after it move up by one.
    void deleteShape(int index);
    void deletePlaceholder(int index);

    // Embeds a JPEG file, not linked. A negative width or height takes the picture's
    // own size (96 pixels to the inch); a non-finite or far-off value raises kErrBadArgument.
    Shape& addPicture(const std::string& file, double left, double top, double width, double height);

    // A new design: placeholders take their new layout's positions.
    void follow(const LayoutPattern& pattern);

private:
    int shapeIndexOfPlaceholder(int index) const;

    std::uint32_t id_;
    Layout layout_;
    std::uint32_t nextShapeId_ = 2;  // 1 is the slide's shape tree
    std::vector<std::unique_ptr<Shape>> shapes_;
};

}
