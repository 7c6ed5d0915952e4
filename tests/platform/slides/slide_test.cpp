// Slides and shapes as the export addresses them, and their texts in the written deck.
#include "tests/platform/slides/deck_fixture.h"

#include <gtest/gtest.h>

namespace ks::slides::test {
namespace {

// The texts of a slide part's shapes, paragraphs joined by "|".
std::vector<std::string> shapeTexts(const Unzipped& package, const std::string& slide)
{
    std::vector<std::string> out;
    auto doc = package.xml(slide);
    for (auto body : doc.select_nodes("//p:sp/p:txBody")) {
        std::string text;
        bool first = true;
        for (auto paragraph : body.node().children("a:p")) {
            text += first ? "" : "|";
            first = false;
            for (auto run : paragraph.children("a:r"))
                text += run.child_value("a:t");
        }
        out.push_back(text);
    }
    return out;
}

TEST(Slides, LayoutsGiveTheShapesTheExportAddresses)
{
    Presentation deck;
    Slide& title = deck.addSlide(1, Layout::Title);
    EXPECT_EQ(title.shapeCount(), 2);
    Slide& kpi = deck.addSlide(2, Layout::TextAndChart);
    ASSERT_EQ(kpi.placeholderCount(), 3);
    EXPECT_EQ(kpi.placeholder(3).placeholderType(), "chart");
    Box chart = kpi.placeholder(3).box();
    EXPECT_GT(chart.width, 0);
    EXPECT_GT(chart.left, kpi.shape(2).left());  // beside the text, on the right

    kpi.deletePlaceholder(3);
    EXPECT_EQ(kpi.shapeCount(), 2);
    EXPECT_EQ(errorOf([&] { kpi.placeholder(3); }), kErrBadIndex);
    EXPECT_EQ(errorOf([&] { kpi.shape(0); }), kErrBadIndex);
    EXPECT_EQ(errorOf([&] { kpi.deleteShape(7); }), kErrBadIndex);

    // Slides.Add inserts: index 1 to count + 1 only.
    EXPECT_EQ(errorOf([&] { deck.addSlide(0, Layout::Title); }), kErrBadIndex);
    EXPECT_EQ(errorOf([&] { deck.addSlide(4, Layout::Title); }), kErrBadIndex);
    EXPECT_EQ(errorOf([&] { deck.addSlide(1, static_cast<Layout>(7)); }), kErrBadArgument);
    Slide& inserted = deck.addSlide(2, Layout::Title);
    EXPECT_EQ(&deck.slide(2), &inserted);
    EXPECT_EQ(&deck.slide(3), &kpi);
    EXPECT_EQ(deck.slideCount(), 3);
    EXPECT_NE(inserted.id(), kpi.id());
}

TEST(Slides, TextsRoundTripThroughTheWrittenDeck)
{
    ks::test::TempDir dir;
    Presentation deck;
    Slide& title = deck.addSlide(1, Layout::Title);
    title.shape(1).setText("Results & <Trends> \"2004\"");
    title.shape(2).setText("Period Jan-04-Dec-04");
    Slide& kpi = deck.addSlide(2, Layout::TextAndChart);
    kpi.shape(1).setText("'Sales \xE2\x82\xAC'");
    kpi.shape(2).setText("Review of 'Sales'\rTotal achieved : 1,250\r\nVariance-1,250");
    EXPECT_EQ(kpi.shape(2).text(), "Review of 'Sales'\rTotal achieved : 1,250\rVariance-1,250");
    // Text the package cannot hold is cleaned, never written as broken XML.
    kpi.shape(3).setText(std::string("bell\x07 bad\xFF") + "byte");
    EXPECT_EQ(kpi.shape(3).text(), "bell bad\xEF\xBF\xBD" "byte");

    std::string path = (dir.path() / "texts.pptx").string();
    deck.saveAs(path);
    Unzipped package = unzip(path);
    EXPECT_EQ(shapeTexts(package, "ppt/slides/slide1.xml"),
              (std::vector<std::string>{"Results & <Trends> \"2004\"", "Period Jan-04-Dec-04"}));
    EXPECT_EQ(shapeTexts(package, "ppt/slides/slide2.xml"),
              (std::vector<std::string>{"'Sales \xE2\x82\xAC'", "Review of 'Sales'|Total achieved : 1,250|Variance-1,250",
                                        "bell bad\xEF\xBF\xBD" "byte"}));
    // The placeholders keep their layout's kinds, so the design styles them.
    auto slide1 = package.xml("ppt/slides/slide1.xml");
    EXPECT_STREQ(slide1.select_node("//p:sp[1]//p:ph").node().attribute("type").value(), "ctrTitle");
}

}
}
