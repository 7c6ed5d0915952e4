#include "addon/base/message_sink.h"
#include "addon/convert/wmf_reader.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {
std::string placeable(std::size_t metaBytes, std::uint8_t headerWords)
{
    std::string file(22 + metaBytes, '\0');
    file[0] = char(0xD7);
    file[1] = char(0xCD);
    file[2] = char(0xC6);
    file[3] = char(0x9A);
    if (metaBytes >= 4) {
        file[22] = 1;
        file[24] = char(headerWords);
    }
    return file;
}
}

TEST(ReadWmfFile, HandsTheMetafileToTheEditorAndRefusesOthers)
{
    test::TempDir dir;
    std::vector<std::string> boxes;
    addon::setMessageSink([&](const addon::AddonMessage& m) { boxes.push_back(m.text); });
    std::size_t handedSize = 0;
    int handedFormat = 0, handedAlignment = -1;
    auto insert = [&](void*, int format, win::HGLOBAL block, int alignment) {
        handedSize = win::GlobalSize(block);
        handedFormat = format;
        handedAlignment = alignment;
        auto* bytes = static_cast<std::uint8_t*>(win::GlobalLock(block));
        EXPECT_EQ(bytes[2], 9);
        win::GlobalUnlock(block);
        return 77;
    };
    addon::HtmlCtx ctx;
    EXPECT_EQ(addon::ReadWmfFile(&ctx, dir.write("a.wmf", placeable(18, 9)).c_str(), 2, insert), 77);
    EXPECT_EQ(handedSize, 19u);   // the metafile and the spare byte
    EXPECT_EQ(handedFormat, 3);
    EXPECT_EQ(handedAlignment, 2);
    EXPECT_TRUE(boxes.empty());

    EXPECT_EQ(addon::ReadWmfFile(&ctx, dir.write("b.wmf", placeable(17, 9)).c_str(), 0, insert), 0);
    EXPECT_EQ(boxes.back(), "Not a valid WMF file!");
    EXPECT_EQ(ctx.lastError, 9);
    EXPECT_EQ(addon::ReadWmfFile(&ctx, dir.write("c.wmf", placeable(40, 3)).c_str(), 0, insert), 0);
    EXPECT_EQ(boxes.back(), "Not a valid WMF file(b)!");
    EXPECT_EQ(addon::ReadWmfFile(&ctx, dir.write("d.wmf", "").c_str(), 0, insert), 0);
    EXPECT_EQ(boxes.back(), "Not a valid WMF file!");

    std::size_t shown = boxes.size();
    EXPECT_EQ(addon::ReadWmfFile(&ctx, (dir.str() + "/missing.wmf").c_str(), 0, insert), 0);
    EXPECT_EQ(boxes.size(), shown);   // a missing file is silent
    addon::setMessageSink({});
}
