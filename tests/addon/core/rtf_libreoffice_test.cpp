// RTF to HTML on documents another program wrote: LibreOffice's word processor turns small
// pages of plain markup into RTF, the editor loads that, and the conversion must find the
// headers, lists and rules the RTF carries only as font sizes, numbering and borders.
#include "plx_fixture.h"

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace ks;
using ks::test::PlxTest;

namespace {

class RtfFromLibreOfficeTest : public PlxTest {
protected:
    // The RTF LibreOffice writes for the markup, or "" when it cannot (not installed).
    std::string convert(const std::string& name, const std::string& markup)
    {
        std::filesystem::path source = temp.write(name + ".html", markup);
        std::string command = "soffice --headless -env:UserInstallation=file://" + temp.str() +
                              "/profile --convert-to 'rtf:Rich Text Format' --outdir '" + temp.str() + "' '" +
                              source.string() + "' >/dev/null 2>&1";
        std::filesystem::path rtf = temp.path() / (name + ".rtf");
        return std::system(command.c_str()) == 0 && std::filesystem::exists(rtf) ? rtf.string() : "";
    }
    std::string written()
    {
        HGLOBAL block = nullptr;
        std::int32_t length = 0;
        if (PlxWrite(hWnd, 1, nullptr, &block, &length, 0) != 1)
            return "(write failed)";
        std::string text(static_cast<const char*>(GlobalLock(block)), std::size_t(length));
        GlobalUnlock(block);
        GlobalFree(block);
        return text;
    }
    test::TempDir temp;
};

}

TEST_F(RtfFromLibreOfficeTest, HeadersListsAndRulesComeBack)
{
    std::string rtf = convert("plan", "<html><body><h1>Quarterly plan</h1><p>Body text of the plan.</p>"
                                      "<h2>Goals</h2><ul><li>First goal</li><li>Second goal</li></ul>"
                                      "<ol><li>One</li><li>Two</li></ol><hr><p>After the rule.</p></body></html>");
    if (rtf.empty())
        GTEST_SKIP() << "LibreOffice's word processor is not installed (setup.sh installs it)";
    ASSERT_NE(EditorOpenRtf(hWnd, rtf.c_str()), 0);
    ASSERT_EQ(PlxRtfToHtml(hWnd, (temp.path() / "plan").c_str()), 1);
    std::string page = written();
    EXPECT_NE(page.find("<h1>"), std::string::npos) << page;
    EXPECT_NE(page.find("<h2>"), std::string::npos) << page;
    EXPECT_NE(page.find("<ul>\r\n<li>First goal"), std::string::npos) << page;
    EXPECT_NE(page.find("<ol>\r\n<li>One"), std::string::npos) << page;
    EXPECT_NE(page.find("<hr"), std::string::npos) << page;
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}
