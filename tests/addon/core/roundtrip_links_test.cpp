// Links and anchors through a save and a read: every text a link held stays a link to the
// same place, and a page the writer made is written again the same.
#include "roundtrip_fixture.h"

using ks::test::PlxRoundTripTest;

// An anchor begun in a header that another anchor's text began in ends that anchor, not the
// header: the text after it is the header's, bold, when read and when read back.
TEST_F(PlxRoundTripTest, AnAnchorInAHeaderBegunInAnotherAnchorLeavesTheHeadersBoldness)
{
    writtenAgainTheSame("<a><h1><a><h1></a>h");
    int line = lineOf("h");
    ASSERT_GE(line, 0);
    EXPECT_NE(styleAt(line, 0) & 2u, 0u) << text();
}
