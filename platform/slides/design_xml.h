#pragma once
// Pieces of the design parts' XML, shared by the master and layout writers.
#include "platform/slides/design_style.h"
#include "platform/slides/geometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ks::slides::design_xml {

// The slide and where its placeholders go, in points.
inline constexpr double kSlideWidth = 720;
inline constexpr double kSlideHeight = 540;
inline constexpr Box kTitleBox{36, 18, 648, 90};
inline constexpr Box kBodyBox{36, 126, 648, 356.4};
inline constexpr Box kCentredTitleBox{54, 150, 612, 120};
inline constexpr Box kSubtitleBox{108, 300, 504, 140};
inline constexpr Box kTextBox{36, 126, 318, 356.4};
// Three wide by two high, the shape of the report charts put there.
inline constexpr Box kChartBox{366, 126, 318, 212};
// The bands behind titles, for styles that have them.
inline constexpr Box kMasterBand{0, 0, 720, 117};
inline constexpr Box kMasterRule{0, 117, 720, 5};
inline constexpr Box kFooterRule{36, 508, 648, 2};
inline constexpr Box kTitleSlideBand{0, 140, 720, 140};
inline constexpr Box kTitleSlideRule{0, 280, 720, 6};

extern const char* const kNamespaces;  // xmlns:a, xmlns:r, xmlns:p

std::string xfrm(const Box& box);
std::string shapeTree(const std::string& shapes);  // the group header and the shapes
std::string filledRectangle(std::uint32_t id, const std::string& name, const Box& box, const char* schemeColour);
std::string placeholder(std::uint32_t id, const std::string& name, const char* type, std::optional<std::uint32_t> idx,
                        const Box& box, const std::string& bodyPr, const std::string& lstStyle);
// "<a:solidFill><a:schemeClr val=.../></a:solidFill>"
std::string schemeFill(const char* schemeColour);

std::string masterXml(const DesignStyle& style);
std::string titleLayoutXml(const DesignStyle& style);
std::string textAndChartLayoutXml(const DesignStyle& style);
std::string themeXml(const DesignStyle& style);

}
