// Writes the design template the presentation export applies, "Summary of Results.pot",
// into the program folder given as the only argument.
#include "platform/slides/template_writer.h"

#include <iostream>

namespace {
ks::slides::DesignStyle summaryStyle()
{
    ks::slides::DesignStyle style;
    style.name = "Summary of Results";
    // Navy titles on white, a teal rule, warm accents for the chart series.
    style.colours = {"1F2A36", "FFFFFF", "1F3B5C", "E8EDF2", "2E6DA4", "3FA796",
                     "E0A43A", "C8553D", "6C7A89", "7A5EA8", "2E6DA4", "7A5EA8"};
    style.headingFont = "Arial";
    style.bodyFont = "Arial";
    style.titleBands = true;
    return style;
}
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_slide_template <program folder>\n";
        return 2;
    }
    try {
        ks::slides::writeDesignTemplate(std::string(argv[1]) + "/Summary of Results.pot", summaryStyle());
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
