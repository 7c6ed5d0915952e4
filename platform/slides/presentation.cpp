#include "platform/slides/presentation.h"

#include "platform/slides/design_writer.h"
#include "platform/slides/errors.h"
#include "platform/slides/package_writer.h"
#include "platform/slides/template_reader.h"

namespace ks::slides {

Presentation::Presentation() : design_(makeDesign(plainStyle())) {}

Slide& Presentation::addSlide(int index, Layout layout)
{
    checkIndex("Slide", index, slideCount() + 1);
    auto pattern = design_.layouts.find(layout);
    if (pattern == design_.layouts.end())
        raise(kErrBadArgument, "Unknown slide layout " + std::to_string(static_cast<int>(layout)));
    auto slide = std::make_unique<Slide>(nextSlideId_++, layout, pattern->second);
    return **slides_.insert(slides_.begin() + (index - 1), std::move(slide));
}

Slide& Presentation::slide(int index)
{
    return const_cast<Slide&>(static_cast<const Presentation&>(*this).slide(index));
}

const Slide& Presentation::slide(int index) const
{
    checkIndex("Slide", index, slideCount());
    return *slides_[static_cast<std::size_t>(index - 1)];
}

void Presentation::applyTemplate(const std::string& path)
{
    Design design = readDesignTemplate(path);
    for (auto& slide : slides_)
        slide->follow(design.layouts.at(slide->layout()));
    design_ = std::move(design);
}

void Presentation::saveAs(const std::string& path) const
{
    std::vector<const Slide*> slides;
    for (const auto& slide : slides_)
        slides.push_back(slide.get());
    writePresentationPackage(path, design_, slides);
}

}
