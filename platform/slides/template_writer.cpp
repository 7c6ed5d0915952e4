#include "platform/slides/template_writer.h"

#include "platform/slides/design_writer.h"
#include "platform/slides/package_writer.h"

namespace ks::slides {

void writeDesignTemplate(const std::string& path, const DesignStyle& style)
{
    writeTemplatePackage(path, makeDesign(style));
}

}
