// PlxRead: a page's text, paragraphs and formatting in the editor's document.
#include "read_fixture.h"

using namespace ks;
using ks::test::PlxReadTest;

TEST_F(PlxReadTest, Smoke)
{
    EXPECT_EQ(read("<html><head><title>T</title></head><body><h1>Head</h1><p>Some <b>bold</b> text &amp; more.<p>Next<br>line</body></html>"), 1);
    std::printf("[%s]\n", text().c_str());
}
