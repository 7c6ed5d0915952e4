#include "platform/slides/slide.h"

#include "platform/slides/errors.h"

#include <cmath>

namespace ks::slides {

namespace {
void checkCoordinate(double value, const char* what)
{
    if (!std::isfinite(value) || std::fabs(value) > kMaxPoints)
        raise(kErrBadArgument, std::string("Invalid picture ") + what);
}

double pixelsToPoints(int pixels) { return pixels * 72.0 / 96.0; }

}

Slide::Slide(std::uint32_t id, Layout layout, const LayoutPattern& pattern) : id_(id), layout_(layout)
{
    for (std::size_t slot = 0; slot < pattern.placeholders.size(); ++slot)
        shapes_.push_back(std::make_unique<Shape>(Shape::placeholder(nextShapeId_++, slot, pattern.placeholders[slot])));
}

Shape& Slide::shape(int index)
{
    return const_cast<Shape&>(static_cast<const Slide&>(*this).shape(index));
}

const Shape& Slide::shape(int index) const
{
    checkIndex("Shape", index, shapeCount());
    return *shapes_[static_cast<std::size_t>(index - 1)];
}

int Slide::placeholderCount() const
{
    int count = 0;
    for (const auto& shape : shapes_)
        count += shape->kind() == Shape::Kind::Placeholder;
    return count;
}

int Slide::shapeIndexOfPlaceholder(int index) const
{
    checkIndex("Placeholder", index, placeholderCount());
    int seen = 0;
    std::size_t i = 0;
    while (shapes_[i]->kind() != Shape::Kind::Placeholder || ++seen < index)
        ++i;
    return static_cast<int>(i) + 1;
}

Shape& Slide::placeholder(int index) { return shape(shapeIndexOfPlaceholder(index)); }

void Slide::deleteShape(int index)
{
    shape(index);  // checks the index
    shapes_.erase(shapes_.begin() + (index - 1));
}

void Slide::deletePlaceholder(int index) { deleteShape(shapeIndexOfPlaceholder(index)); }

Shape& Slide::addPicture(const std::string& file, double left, double top, double width, double height)
{
    checkCoordinate(left, "left");
    checkCoordinate(top, "top");
    checkCoordinate(width, "width");
    checkCoordinate(height, "height");
    Picture picture = loadJpegPicture(file);
    Box box{left, top, width, height};
    if (box.width < 0)
        box.width = pixelsToPoints(picture.pixelWidth);
    if (box.height < 0)
        box.height = pixelsToPoints(picture.pixelHeight);
    shapes_.push_back(std::make_unique<Shape>(Shape::picture(nextShapeId_++, std::move(picture), box)));
    return *shapes_.back();
}

void Slide::follow(const LayoutPattern& pattern)
{
    // A slot the new layout lacks keeps its old placement, as the package still holds it.
    for (auto& shape : shapes_)
        if (shape->kind() == Shape::Kind::Placeholder && shape->layoutSlot() < pattern.placeholders.size())
            shape->follow(pattern.placeholders[shape->layoutSlot()]);
}

}
