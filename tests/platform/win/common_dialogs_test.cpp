// The font and colour dialogs of the window layer, through the programs' user interface.
#include "platform/win/qt_user_dialogs.h"
#include "platform/win/user_dialogs.h"
#include "tests/support/scripted_ui.h"

#include <QColorDialog>
#include <gtest/gtest.h>

#include <cstring>

namespace {

struct CommonDialogsTest : ::testing::Test {
    CommonDialogsTest() { ks::win::useUiDialogs(); }
    ~CommonDialogsTest() override { ks::win::setUserDialogs({}); }
    ks::test::ScriptedUi ui;
};

LOGFONT arialBold()
{
    LOGFONT lf;
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -16;   // 12 points at 96 pixels per inch
    lf.lfWeight = 700;
    return lf;
}

}

TEST_F(CommonDialogsTest, TheFontDialogStartsFromTheLogFontAndAnswersInIt)
{
    LOGFONT lf = arialBold();
    CHOOSEFONT request;
    request.lpLogFont = &lf;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    request.rgbColors = 0x00FF00;
    ks::ui::FontChoice answer;
    answer.face = "Courier New";
    answer.points = 14;
    answer.italic = answer.underline = true;
    answer.color = QColor(255, 0, 0);
    ui.answerFont(answer);
    ASSERT_TRUE(ChooseFont(&request));
    ASSERT_EQ(ui.records().size(), 1u);
    EXPECT_EQ(ui.records()[0].text, "Arial");
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(request.iPointSize, 140);
    EXPECT_EQ(lf.lfHeight, -19);   // 14 points are 18.67 pixels
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(request.rgbColors, 0x0000FFu);
}

TEST_F(CommonDialogsTest, ACancelledFontDialogChangesNothing)
{
    LOGFONT lf = arialBold();
    CHOOSEFONT request;
    request.lpLogFont = &lf;
    request.Flags = CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    request.rgbColors = 0x123456;
    ui.answerFont(std::nullopt);
    EXPECT_FALSE(ChooseFont(&request));
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(request.rgbColors, 0x123456u);
    request.lpLogFont = nullptr;
    EXPECT_FALSE(ChooseFont(&request)) << "no place for the answer: no dialog";
    EXPECT_FALSE(ChooseFont(nullptr));
}

TEST_F(CommonDialogsTest, TheColourDialogShowsAndKeepsTheSixteenCustomColours)
{
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = COLORREF(i * 0x111111 & 0xFFFFFF);
    CHOOSECOLOR request;
    request.rgbResult = 0x0000FF;
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT;
    ui.answerColor(QColor(0, 0, 255));
    ASSERT_TRUE(ChooseColor(&request));
    EXPECT_EQ(request.rgbResult, 0xFF0000u);
    for (int i = 0; i < 16; ++i) {
        QColor shown = QColorDialog::customColor(i);
        EXPECT_EQ(COLORREF(shown.red() | shown.green() << 8 | shown.blue() << 16), custom[i]) << i;
    }
    ui.answerColor(std::nullopt);
    EXPECT_FALSE(ChooseColor(&request));
    EXPECT_EQ(request.rgbResult, 0xFF0000u);
}

TEST(CommonDialogsHeadless, WithoutAUserInterfaceBothDialogsAreCancelled)
{
    LOGFONT lf = arialBold();
    CHOOSEFONT font;
    font.lpLogFont = &lf;
    EXPECT_FALSE(ChooseFont(&font));
    COLORREF custom[16]{};
    CHOOSECOLOR colour;
    colour.lpCustColors = custom;
    colour.rgbResult = 7;
    EXPECT_FALSE(ChooseColor(&colour));
    EXPECT_EQ(colour.rgbResult, 7u);
}
