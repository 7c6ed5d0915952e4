#pragma once
// The slide layouts the presentation offers, numbered as its callers pass them.
#include <string>

namespace ks::slides {

enum class Layout : int {
    Title = 1,         // title and subtitle
    TextAndChart = 5,  // title, body text on the left, chart area on the right
};

// The layout's type attribute in a design's slide layout part.
inline const char* layoutType(Layout layout)
{
    return layout == Layout::Title ? "title" : "txAndChart";
}

}
