#pragma once
// What sets one design apart from another: the theme's name, colours and fonts, and
// whether the master draws coloured bands behind the titles.
#include <string>

namespace ks::slides {

struct ThemeColours {
    // RRGGBB, in the theme's order.
    std::string dark1, light1, dark2, light2;
    std::string accent1, accent2, accent3, accent4, accent5, accent6;
    std::string hyperlink, followedHyperlink;
};

struct DesignStyle {
    std::string name;
    ThemeColours colours;
    std::string headingFont;
    std::string bodyFont;
    bool titleBands = false;  // titles in light text on a dark2 band with an accent2 rule
};

// The design a new presentation starts in: black on white, no decoration.
DesignStyle plainStyle();

}
