// Design templates: the program folder's one restyles every slide; a missing or
// unusable one raises and leaves the presentation as it was.
#include "platform/slides/opc.h"
#include "platform/slides/template_writer.h"
#include "tests/platform/slides/deck_fixture.h"

#include <gtest/gtest.h>

namespace ks::slides::test {
namespace {

std::string masterOf(const Unzipped& package)
{
    auto rels = package.xml("ppt/_rels/presentation.xml.rels");
    for (auto rel : rels.document_element().children())
        if (std::string(rel.attribute("Type").value()) == opc::kRelSlideMaster)
            return opc::resolveTarget("ppt/presentation.xml", rel.attribute("Target").value());
    return {};
}

std::string layoutOfSlide(const Unzipped& package, int number)
{
    std::string slide = "ppt/slides/slide" + std::to_string(number) + ".xml";
    auto rels = package.xml(opc::relsPartName(slide));
    return opc::resolveTarget(slide, rels.select_node("//*[@Id='rId1']").node().attribute("Target").value());
}

TEST(SlideTemplates, ProgramTemplateRestylesEverySlide)
{
    ks::test::TempDir dir;
    std::string pot = programTemplate(dir);
    Unzipped source = unzip(pot);
    ASSERT_TRUE(source.has("[Content_Types].xml"));
    EXPECT_NE(source.at("[Content_Types].xml").find(opc::kTypeTemplate), std::string::npos);

    Presentation deck;
    EXPECT_EQ(deck.design().name, "Plain");
    buildReportDeck(deck, {writeJpeg(dir, "KPI_1.jpg", 200, 150)});
    deck.applyTemplate(pot);
    EXPECT_EQ(deck.design().name, "Summary of Results");
    Slide& later = deck.addSlide(3, Layout::TextAndChart);  // slides added afterwards use it too
    later.shape(1).setText("After");

    std::string path = (dir.path() / "styled.pptx").string();
    deck.saveAs(path);
    Unzipped package = unzip(path);
    std::string master = masterOf(package);
    EXPECT_EQ(package.at(master), source.at(master));
    auto masterRels = package.xml(opc::relsPartName(master));
    auto themeRel = masterRels.select_node(("//*[@Type='" + std::string(opc::kRelTheme) + "']").c_str()).node();
    std::string theme = opc::resolveTarget(master, themeRel.attribute("Target").value());
    auto themeXml = package.xml(theme);
    EXPECT_STREQ(themeXml.document_element().attribute("name").value(), "Summary of Results");
    EXPECT_STREQ(themeXml.select_node("//a:clrScheme/a:dk2/a:srgbClr").node().attribute("val").value(), "1F3B5C");
    for (int slide = 1; slide <= 3; ++slide) {
        std::string layout = layoutOfSlide(package, slide);
        EXPECT_EQ(package.at(layout), source.at(layout)) << "slide " << slide;
        auto layoutXml = package.xml(layout);
        EXPECT_STREQ(layoutXml.document_element().attribute("type").value(), slide == 1 ? "title" : "txAndChart");
    }
}

TEST(SlideTemplates, PlaceholdersTakeTheTemplatesPositionsOrItsMasters)
{
    ks::test::TempDir dir;
    std::string pot = programTemplate(dir);
    Unzipped source = unzip(pot);
    // The text-and-chart title loses its own position; the master's title moves to 72 pt.
    std::string layout = source.at("ppt/slideLayouts/slideLayout2.xml");
    auto own = layout.find("<a:xfrm>", layout.find("name=\"Title 1\""));
    layout.erase(own, layout.find("</a:xfrm>", own) + 9 - own);
    std::string master = source.at("ppt/slideMasters/slideMaster1.xml");
    auto title = master.find("name=\"Title Placeholder 1\"");
    auto off = master.find("<a:off x=\"", title);
    master.replace(off, std::string("<a:off x=\"457200\"").size(), "<a:off x=\"914400\"");
    std::string moved = (dir.path() / "moved.pot").string();
    rezip(pot, moved, {{"ppt/slideLayouts/slideLayout2.xml", layout}, {"ppt/slideMasters/slideMaster1.xml", master}});

    Presentation deck;
    Slide& slide = deck.addSlide(1, Layout::TextAndChart);
    EXPECT_DOUBLE_EQ(slide.shape(1).left(), 36);
    deck.applyTemplate(moved);
    EXPECT_DOUBLE_EQ(slide.shape(1).left(), 72);
    EXPECT_DOUBLE_EQ(slide.shape(3).left(), 366);
}

TEST(SlideTemplates, UnusableTemplatesRaiseAndChangeNothing)
{
    ks::test::TempDir dir;
    std::string pot = programTemplate(dir);
    Presentation deck;
    deck.addSlide(1, Layout::Title).shape(1).setText("Kept");
    auto unchanged = [&] {
        EXPECT_EQ(deck.design().name, "Plain");
        EXPECT_EQ(deck.slide(1).shape(1).text(), "Kept");
    };

    EXPECT_EQ(errorOf([&] { deck.applyTemplate((dir.path() / "Summary of Results.pot.missing").string()); }),
              kErrFileNotFound);
    unchanged();
    std::string text = dir.write("text.pot", "plain text, no package").string();
    EXPECT_EQ(errorOf([&] { deck.applyTemplate(text); }), kErrBadFileFormat);
    std::string noLayout = (dir.path() / "no-chart-layout.pot").string();
    std::string layout = unzip(pot).at("ppt/slideLayouts/slideLayout2.xml");
    layout.replace(layout.find("type=\"txAndChart\""), 17, "type=\"obj\"");
    rezip(pot, noLayout, {{"ppt/slideLayouts/slideLayout2.xml", layout}});
    EXPECT_EQ(errorOf([&] { deck.applyTemplate(noLayout); }), kErrBadFileFormat);
    // Close layouts stand in for missing ones.
    std::string standIns = (dir.path() / "stand-ins.pot").string();
    std::string title = unzip(pot).at("ppt/slideLayouts/slideLayout1.xml");
    title.replace(title.find("type=\"title\""), 12, "type=\"tx\"");
    layout = unzip(pot).at("ppt/slideLayouts/slideLayout2.xml");
    layout.replace(layout.find("type=\"txAndChart\""), 17, "type=\"twoObj\"");
    rezip(pot, standIns, {{"ppt/slideLayouts/slideLayout1.xml", title}, {"ppt/slideLayouts/slideLayout2.xml", layout}});
    Presentation other;
    other.applyTemplate(standIns);
    EXPECT_EQ(other.design().name, "Summary of Results");
    EXPECT_EQ(other.addSlide(1, Layout::TextAndChart).placeholder(3).left(), 366);
    std::string broken = (dir.path() / "broken-master.pot").string();
    rezip(pot, broken, {{"ppt/slideMasters/slideMaster1.xml", "<p:sldMaster"}});
    EXPECT_EQ(errorOf([&] { deck.applyTemplate(broken); }), kErrBadFileFormat);
    std::string noTypes = (dir.path() / "no-types.pot").string();
    rezip(pot, noTypes, {{"[Content_Types].xml", "<Types xmlns=\"x\"/>"}});
    EXPECT_EQ(errorOf([&] { deck.applyTemplate(noTypes); }), kErrBadFileFormat);
    unchanged();
}

TEST(SlideTemplates, DamagedTemplatesNeverBreakThePresentation)
{
    ks::test::TempDir dir;
    std::string pot = programTemplate(dir);
    Unzipped source = unzip(pot);
    std::string damaged = (dir.path() / "damaged.pot").string();
    int refused = 0;
    for (const auto& [name, bytes] : source.parts) {
        for (std::size_t cut : {std::size_t(0), bytes.size() / 3, bytes.size() / 2, bytes.size() - 1}) {
            rezip(pot, damaged, {{name, bytes.substr(0, cut)}});
            Presentation deck;
            deck.addSlide(1, Layout::TextAndChart).shape(1).setText("Kept");
            try {
                deck.applyTemplate(damaged);
            } catch (const RuntimeError& e) {
                ++refused;
                EXPECT_EQ(e.number(), kErrBadFileFormat) << name << " cut at " << cut << ": " << e.description();
                EXPECT_EQ(deck.design().name, "Plain");
            }
            EXPECT_EQ(deck.slide(1).shape(1).text(), "Kept");
            deck.saveAs((dir.path() / "after.pptx").string());
        }
    }
    EXPECT_GT(refused, 0);
    // Damage to the zip container itself.
    std::string bytes = dir.read("Summary of Results.pot");
    for (std::size_t at = 0; at < bytes.size(); at += bytes.size() / 40) {
        std::string broken = bytes;
        broken[at] = static_cast<char>(broken[at] ^ 0x5A);
        dir.write("flipped.pot", broken);
        Presentation deck;
        try {
            deck.applyTemplate((dir.path() / "flipped.pot").string());
        } catch (const RuntimeError&) {
            EXPECT_EQ(deck.design().name, "Plain");
        }
    }
}

TEST(SlideTemplates, AnyPresentationPackageServesAsATemplate)
{
    ks::test::TempDir dir;
    DesignStyle style = plainStyle();
    style.name = "Quarterly";
    style.colours.dark2 = "123456";
    std::string pot = (dir.path() / "quarterly.pot").string();
    writeDesignTemplate(pot, style);
    Presentation styled;
    styled.addSlide(1, Layout::Title);
    styled.applyTemplate(pot);
    EXPECT_EQ(styled.design().name, "Quarterly");
    // A saved deck carries its design on.
    std::string deckPath = (dir.path() / "quarterly.pptx").string();
    styled.saveAs(deckPath);
    Presentation next;
    next.applyTemplate(deckPath);
    EXPECT_EQ(next.design().name, "Quarterly");
}

}
}
