#include "platform/slides/shape.h"

#include "platform/slides/errors.h"
#include "platform/slides/xml_text.h"

namespace ks::slides {

namespace {
std::vector<std::string> splitParagraphs(const std::string& text)
{
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.emplace_back();
        } else {
            out.back() += text[i];
        }
    }
    return out;
}

const char* placeholderName(const std::string& type)
{
    if (type == "title" || type == "ctrTitle")
        return "Title";
    if (type == "subTitle")
        return "Subtitle";
    if (type == "chart")
        return "Chart Placeholder";
    return "Text Placeholder";
}
}

Shape Shape::placeholder(std::uint32_t id, std::size_t slot, const PlaceholderPattern& pattern)
{
    Shape shape(Kind::Placeholder, id);
    shape.layoutSlot_ = slot;
    shape.follow(pattern);
    return shape;
}

void Shape::follow(const PlaceholderPattern& pattern)
{
    placeholderType_ = pattern.type;
    placeholderIdx_ = pattern.idx;
    box_ = pattern.box;
}

Shape Shape::picture(std::uint32_t id, Picture picture, const Box& box)
{
    Shape shape(Kind::Picture, id);
    shape.picture_ = std::move(picture);
    shape.box_ = box;
    return shape;
}

std::string Shape::name() const
{
    std::string base = kind_ == Kind::Picture ? "Picture" : placeholderName(placeholderType_);
    return base + " " + std::to_string(id_ - 1);
}

void Shape::setText(std::string_view text)
{
    if (kind_ == Kind::Picture)
        raise(kErrBadArgument, "This shape has no text frame");
    paragraphs_ = splitParagraphs(xmlSafeText(text));
}

std::string Shape::text() const
{
    std::string out;
    for (std::size_t i = 0; i < paragraphs_.size(); ++i)
        out += (i ? "\r" : "") + paragraphs_[i];
    return out;
}

}
