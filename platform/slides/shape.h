#pragma once
// A shape on a slide: a placeholder of the slide's layout (title, body, chart area)
// or a picture. Positions and sizes are in points.
#include "platform/slides/design.h"
#include "platform/slides/geometry.h"
#include "platform/slides/picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ks::slides {

class Shape {
public:
    enum class Kind { Placeholder, Picture };

    // slot: the placeholder's position in its layout's list.
    static Shape placeholder(std::uint32_t id, std::size_t slot, const PlaceholderPattern& pattern);
    static Shape picture(std::uint32_t id, Picture picture, const Box& box);

    Kind kind() const { return kind_; }
    std::uint32_t id() const { return id_; }
    std::string name() const;

    // The text frame's text; a carriage return (or CR LF, or LF) starts a new paragraph.
    // Pictures have no text frame: setting their text raises kErrBadArgument.
    void setText(std::string_view text);
    std::string text() const;  // paragraphs joined by CR
    const std::vector<std::string>& paragraphs() const { return paragraphs_; }

    const Box& box() const { return box_; }
    double left() const { return box_.left; }
    double top() const { return box_.top; }
    double width() const { return box_.width; }
    double height() const { return box_.height; }

    // Placeholders only: how the layout knows them.
    const std::string& placeholderType() const { return placeholderType_; }
    const std::optional<std::uint32_t>& placeholderIdx() const { return placeholderIdx_; }
    std::size_t layoutSlot() const { return layoutSlot_; }
    // A new design: the placeholder becomes the one in the same slot of its new layout.
    void follow(const PlaceholderPattern& pattern);

    const Picture& pictureData() const { return picture_; }

private:
    Shape(Kind kind, std::uint32_t id) : kind_(kind), id_(id) {}

    Kind kind_;
    std::uint32_t id_;
    Box box_;
    std::vector<std::string> paragraphs_;
    std::string placeholderType_;
    std::optional<std::uint32_t> placeholderIdx_;
    std::size_t layoutSlot_ = 0;
    Picture picture_;
};

}
