// A written deck is a consistent package: every part well-formed and typed, every
// relationship leads to a part, the presentation's ids are unique and in range.
#include "platform/slides/opc.h"
#include "tests/platform/slides/deck_fixture.h"

#include <gtest/gtest.h>
#include <set>

namespace ks::slides::test {
namespace {

std::string typeOf(const Unzipped& package, const std::string& part)
{
    auto types = package.xml("[Content_Types].xml");
    for (auto node : types.document_element().children("Override"))
        if (node.attribute("PartName").value() == "/" + part)
            return node.attribute("ContentType").value();
    std::string extension = part.substr(part.rfind('.') + 1);
    for (auto node : types.document_element().children("Default"))
        if (node.attribute("Extension").value() == extension)
            return node.attribute("ContentType").value();
    return {};
}

// part -> (relationship id -> resolved target)
std::map<std::string, std::string> relationshipsOf(const Unzipped& package, const std::string& part)
{
    std::map<std::string, std::string> out;
    std::string rels = opc::relsPartName(part);
    if (!package.has(rels))
        return out;
    auto doc = package.xml(rels);
    for (auto rel : doc.document_element().children("Relationship")) {
        std::string target = opc::resolveTarget(part, rel.attribute("Target").value());
        EXPECT_TRUE(package.has(target)) << part << " relates to missing " << target;
        out[rel.attribute("Id").value()] = target;
    }
    return out;
}

void expectConsistent(const Unzipped& package, std::size_t slideCount)
{
    for (const auto& [name, bytes] : package.parts) {
        if (name.ends_with(".xml") || name.ends_with(".rels"))
            package.xml(name);
        if (name != "[Content_Types].xml" && !name.ends_with(".rels")) {
            EXPECT_FALSE(typeOf(package, name).empty()) << name << " has no content type";
        }
        relationshipsOf(package, name);
    }
    std::string main = relationshipsOf(package, "").at("rId1");
    EXPECT_EQ(typeOf(package, main), opc::kTypePresentation);
    auto mainRels = relationshipsOf(package, main);
    auto mainDoc = package.xml(main);
    auto presentation = mainDoc.document_element();
    std::set<unsigned> slideIds;
    for (auto slide : presentation.child("p:sldIdLst").children("p:sldId")) {
        EXPECT_GE(slide.attribute("id").as_uint(), 256u);
        slideIds.insert(slide.attribute("id").as_uint());
        EXPECT_EQ(typeOf(package, mainRels.at(slide.attribute("r:id").value())), opc::kTypeSlide);
    }
    EXPECT_EQ(slideIds.size(), slideCount);
    auto masterEntry = presentation.child("p:sldMasterIdLst").child("p:sldMasterId");
    std::string master = mainRels.at(masterEntry.attribute("r:id").value());
    EXPECT_EQ(typeOf(package, master), opc::kTypeSlideMaster);
    std::set<unsigned> masterIds{masterEntry.attribute("id").as_uint()};
    auto masterRels = relationshipsOf(package, master);
    auto masterDoc = package.xml(master);
    for (auto layout : masterDoc.document_element().child("p:sldLayoutIdLst").children()) {
        EXPECT_TRUE(masterIds.insert(layout.attribute("id").as_uint()).second) << "duplicate layout id";
        EXPECT_EQ(typeOf(package, masterRels.at(layout.attribute("r:id").value())), opc::kTypeSlideLayout);
    }
    EXPECT_GE(*masterIds.begin(), 2147483648u);
}

TEST(SlidePackage, WrittenDeckIsConsistentInEveryDesign)
{
    ks::test::TempDir dir;
    std::vector<std::string> pictures{writeJpeg(dir, "KPI_1.jpg", 400, 300), writeJpeg(dir, "KPI_3.jpg", 400, 300)};
    Presentation deck;
    buildReportDeck(deck, pictures);
    std::string plain = (dir.path() / "plain.pptx").string();
    deck.saveAs(plain);
    expectConsistent(unzip(plain), 3);

    deck.applyTemplate(programTemplate(dir));
    std::string styled = (dir.path() / "styled.pptx").string();
    deck.saveAs(styled);
    Unzipped package = unzip(styled);
    expectConsistent(package, 3);
    // Each picture slide embeds its own picture, with the image relationship its blip names.
    auto slide2 = package.xml("ppt/slides/slide2.xml");
    std::string embed = slide2.select_node("//p:pic/p:blipFill/a:blip").node().attribute("r:embed").value();
    EXPECT_EQ(typeOf(package, relationshipsOf(package, "ppt/slides/slide2.xml").at(embed)), "image/jpeg");

    // A deck without slides (no KPI chosen) is a package too.
    Presentation empty;
    std::string bare = (dir.path() / "empty.pptx").string();
    empty.saveAs(bare);
    expectConsistent(unzip(bare), 0);
}

}
}
