// The tokenizer's characters: the push-back stack in front of the input.
#include "addon/convert/html_input.h"
#include "addon/base/html_ctx.h"
#include "addon/base/message_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks::addon;

TEST(HtmlInput, PushBackIsBoundedAndCountedInThePosition)
{
    const char page[] = "abc";
    HtmlCtx ctx;
    HtmlTokenizer t;
    t.memory = page;
    t.memoryLength = 3;
    ASSERT_EQ(GetHtmlChar(&ctx, &t), 1);
    EXPECT_EQ(t.position, 1u);
    std::vector<std::string> boxes;
    setMessageSink([&](const AddonMessage& m) { boxes.push_back(m.text); });
    for (int i = 0; i < kHtmlTextSize; ++i)
        ASSERT_EQ(PushHtmlChar(&ctx, &t), 1);
    EXPECT_EQ(PushHtmlChar(&ctx, &t), 0);
    setMessageSink({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Out of HTML character stack.");
    EXPECT_EQ(t.pushCount, kHtmlTextSize);
}
