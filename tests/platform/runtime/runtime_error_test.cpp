#include "platform/runtime/runtime_error.h"

#include <gtest/gtest.h>

using ks::RuntimeError;

TEST(RuntimeError, PassOnAppendsLabelsAndHandlerTextHasTheNumber)
{
    try {
        ks::passingOn("Outer", [] {
            ks::passingOn("Inner", []() -> int { throw RuntimeError(53, "File not found", "Kestrune"); });
            return 0;
        });
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_EQ(e.source(), "Kestrune\r\nInner\r\nOuter");
        EXPECT_EQ(e.handlerText(), "File not found\r\r(Error #53)");
    }
}
