// The tag-data table through its exports: user tags, lookups from a start, holes reused.
#include "plx_fixture.h"

#include "addon/core/tag_data.h"

#include <string>

using namespace ks;
using namespace ks::addon;
using ks::test::PlxTest;

TEST_F(PlxTest, UserTagsAreSetReplacedReadAndDeleted)
{
    char text[301];
    EXPECT_EQ(PlxSetUserTag(hWnd, 4, ""), 1) << "deleting a tag that is not there";
    EXPECT_EQ(PlxGetUserTag(hWnd, 4, text), 0);
    EXPECT_EQ(PlxSetUserTag(hWnd, 4, "first"), 1);
    EXPECT_EQ(PlxSetUserTag(hWnd, 9, "other"), 1);
    EXPECT_EQ(PlxSetUserTag(hWnd, 4, "second"), 1);
    ASSERT_EQ(PlxGetUserTag(hWnd, 4, text), 1);
    EXPECT_STREQ(text, "second");
    ASSERT_EQ(PlxGetUserTag(hWnd, 9, text), 1);
    EXPECT_STREQ(text, "other");
    int entries = 0;
    for (int i = 0; i < ctx().tagCount; ++i)
        entries += ctx().tagTable[i].type == kTagUser && ctx().tagTable[i].id == 4;
    EXPECT_EQ(entries, 1) << "setting an id twice keeps one entry";
    EXPECT_EQ(PlxSetUserTag(hWnd, 9, nullptr), 1);
    EXPECT_EQ(PlxGetUserTag(hWnd, 9, text), 0);
}

TEST_F(PlxTest, TagDataIsFoundFromAStartAndHolesAreReused)
{
    HtmlCtx& c = ctx();
    int a = AddTagData(c, kTagMeta, 2, "a");
    int b = AddTagData(c, kTagMeta, 2, "b");
    int d = AddTagData(c, kTagCellAttribute, 77, "cell");
    c.tagTable[b].value1 = 5;
    std::int32_t v1 = 0, v2 = 0;
    char t1[301], t2[301] = "untouched";
    EXPECT_EQ(PlxGetTagData(hWnd, kTagMeta, 2, 0, &v1, &v2, t1, t2), a);
    EXPECT_STREQ(t1, "a");
    EXPECT_STREQ(t2, "") << "a text the entry lacks comes out empty";
    EXPECT_EQ(PlxGetTagData(hWnd, kTagMeta, 2, a + 1, &v1, nullptr, t1, nullptr), b);
    EXPECT_EQ(v1, 5);
    EXPECT_EQ(PlxGetTagData(hWnd, kTagMeta, 2, b + 1, nullptr, nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(PlxGetTagData(hWnd, kTagMeta, 2, 1000, nullptr, nullptr, nullptr, nullptr), -1);

    DeleteTagData(c, a);
    EXPECT_EQ(PlxGetTagData(hWnd, kTagMeta, 2, 0, nullptr, nullptr, t1, nullptr), b);
    EXPECT_EQ(AddTagData(c, kTagPictureSize, 3, ""), a) << "the next addition of any type fills the hole";
    EXPECT_EQ(PlxGetTagData(hWnd, kTagCellAttribute, 77, 0, nullptr, nullptr, t1, nullptr), d)
        << "the other entries keep their indexes";

    for (int i = 0; i < 120; ++i)
        AddTagData(c, kTagUser, 1000 + i, "many");
    EXPECT_EQ(c.tagCapacity, 150) << "the table grows by fifty";
    EXPECT_EQ(c.tagCount, 123);
}

TEST_F(PlxTest, TagDataExportsNeedAnInitialisedWindow)
{
    HWND stranger = newEditor();
    EXPECT_EQ(PlxGetTagData(stranger, 5, 1, 0, nullptr, nullptr, nullptr, nullptr), -1);
    expectNotInitialized("PlxGetTagData");
    EXPECT_EQ(PlxSetUserTag(stranger, 1, "x"), 0);
    expectNotInitialized("PlxSetUserTag");
    char text[8] = "keep";
    EXPECT_EQ(PlxGetUserTag(stranger, 1, text), 0);
    expectNotInitialized("PlxGetUserTag");
    EXPECT_STREQ(text, "keep");
}

TEST(PlxStrings, LparamAndStringCopiesAreTheSame)
{
    char out[16];
    EXPECT_EQ(PlxLparam2String("to host", out), 1);
    EXPECT_STREQ(out, "to host");
    EXPECT_EQ(PlxString2Lparam("back", out), 1);
    EXPECT_STREQ(out, "back");
    EXPECT_EQ(PlxLparam2String(nullptr, out), 0);
    EXPECT_EQ(PlxString2Lparam("x", nullptr), 0);
}
