#pragma once
// A presentation being built: slides in order, and the design they are shown in. It
// starts in a plain built-in design; applyTemplate takes the master, layouts and
// theme of a presentation template package; saveAs writes the .pptx file.
#include "platform/slides/design.h"
#include "platform/slides/layout.h"
#include "platform/slides/slide.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ks::slides {

class Presentation {
public:
    Presentation();

    int slideCount() const { return static_cast<int>(slides_.size()); }
    // Inserts a slide at index (1 to slideCount() + 1); the slides from there move down.
    Slide& addSlide(int index, Layout layout);
    Slide& slide(int index);
    const Slide& slide(int index) const;

    // Restyles every slide with the template's design. A missing or unusable template
    // raises (kErrFileNotFound, kErrFileAccess, kErrBadFileFormat) and changes nothing.
    void applyTemplate(const std::string& path);
    const Design& design() const { return design_; }

    // Writes the presentation whole to a temporary file beside path and renames it over
    // path; on failure raises kErrFileAccess and the file at path stays as it was.
    void saveAs(const std::string& path) const;

private:
    Design design_;
    std::vector<std::unique_ptr<Slide>> slides_;
    std::uint32_t nextSlideId_ = 256;  // the package's first slide id
};

}
