// The text stream on its own: paragraph structure under edits, line cutting, positions.
#include "platform/editor/model/document.h"

#include <gtest/gtest.h>

#include <random>

using namespace ks::editor;

namespace {

std::string all(Document& d)
{
    std::string s;
    for (const Paragraph& p : d.paragraphs())
        s += p.chars;
    return s;
}

std::vector<std::uint16_t> fontsOf(const std::string& s, std::uint16_t f) { return std::vector<std::uint16_t>(s.size(), f); }

}

TEST(Document, SpliceKeepsParagraphMetaAndTableStructure)
{
    Document d;
    d.clear();
    d.appendRun("one\x15", 1, {5, 0});
    d.appendRun("cell\x13", 1, {6, 9});
    d.appendRun("two\x15", 1, {7, 0});
    ASSERT_EQ(d.paragraphs().size(), 3u);
    // Erasing across a cell end keeps the cell end; the text around it goes.
    std::string none;
    d.splice(2, 6, none, nullptr);
    EXPECT_EQ(all(d), "on\x13two\x15");
    EXPECT_EQ(d.paragraphs()[0].meta, (ParaMeta{6, 9})) << "the surviving end keeps its meta";
    // A new paragraph end takes the given meta; the tail keeps the old one.
    std::string mark = "X\x15";
    ParaMeta m{11, 0};
    d.splice(3, 0, mark, fontsOf(mark, 2).data(), &m);
    EXPECT_EQ(all(d), "on\x13X\x15two\x15");
    EXPECT_EQ(d.paragraphs()[1].meta, m);
    EXPECT_EQ(d.paragraphs()[2].meta, (ParaMeta{7, 0}));
    // Removing a paragraph mark joins two paragraphs under the second's meta.
    d.splice(4, 1, none, nullptr);
    EXPECT_EQ(all(d), "on\x13Xtwo\x15");
    EXPECT_EQ(d.paragraphs()[1].meta, (ParaMeta{7, 0}));
    // Out-of-range edits are clamped, never past the end.
    d.splice(1000, 5, mark, fontsOf(mark, 3).data());
    EXPECT_EQ(all(d), "on\x13Xtwo\x15X\x15");
    EXPECT_EQ(d.length(), 10u);
}

TEST(Document, LinesAreCutByTextAlone)
{
    Document d;
    d.clear();
    std::string longWord(600, 'w');
    d.appendRun(longWord + "\x15", 0, {});
    ASSERT_EQ(d.lineCount(), 3u) << "a word longer than a line is cut hard";
    EXPECT_EQ(d.lineChars(0).size(), static_cast<std::size_t>(kLineCut));
    EXPECT_EQ(d.lineChars(2).size(), 101u) << "the end mark stays on the last line";
    std::string exact(kLineCut, 'x');
    d.appendRun(exact + "\x15", 0, {});
    EXPECT_EQ(d.lineCount(), 4u) << "a full line keeps its mark rather than a line of its own";
    d.appendRun("\x0F\x0F\x15", 0, {});
    EXPECT_EQ(d.lineCount(), 7u);
    EXPECT_EQ(d.lineChars(4), "\x0F");

    std::size_t line, col;
    ASSERT_TRUE(d.posToLineCol(250, line, col));
    EXPECT_EQ(line, 1u);
    EXPECT_EQ(col, 0u) << "a line's end position belongs to the next line";
    ASSERT_TRUE(d.posToLineCol(d.length(), line, col));
    EXPECT_EQ(line, 6u);
    EXPECT_EQ(col, 1u) << "the document end stays on the last line";
    std::uint64_t pos;
    EXPECT_TRUE(d.lineColToPos(7, 0, pos));
    EXPECT_EQ(pos, d.length());
    EXPECT_FALSE(d.lineColToPos(7, 1, pos));
    EXPECT_FALSE(d.lineColToPos(0, 251, pos));
}

TEST(Document, InPlaceLineEditsWaitForRelayout)
{
    Document d;
    d.clear();
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "abcd ";
    d.appendRun(text + "\x15" "next\x15", 0, {});
    ASSERT_EQ(d.lineCount(), 3u);
    std::string first = "ab ", second = "cd\x15";
    ASSERT_TRUE(d.setLine(0, first, fontsOf(first, 4).data()));
    ASSERT_TRUE(d.setLine(1, second, fontsOf(second, 4).data()));
    EXPECT_EQ(d.lineCount(), 3u);
    EXPECT_EQ(d.lineChars(0), "ab ");
    EXPECT_EQ(d.lineChars(1), "cd\x15");
    EXPECT_EQ(d.line(2)->pos, 6u) << "positions follow at once";
    d.relayout();
    EXPECT_EQ(d.lineCount(), 2u) << "relayout joins the two short lines of the paragraph";
    EXPECT_EQ(d.lineChars(0), "ab cd\x15");
    EXPECT_EQ(d.lineChars(1), "next\x15");
    std::string withMark = "a\x15" "b";
    EXPECT_TRUE(d.setLine(1, withMark, fontsOf(withMark, 0).data()));
    EXPECT_EQ(all(d).substr(all(d).size() - 3), "a\x15" "b") << "a mark inside the line is a real edit";
}

namespace {

// The cutting rule spelled out a character at a time, to hold the fast cutter to: a line ends
// at its first forced break, else after its last blank (not its first character) when the
// paragraph goes on, else hard at kLineCut; a paragraph end right after a full line stays on it.
std::vector<std::string> cutByRule(const std::string& s)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = 0, afterBlank = 0;
        bool forced = false;
        while (len < kLineCut && i + len < s.size() && !forced) {
            char c = s[i + len++];
            forced = c == kLineBreak;
            if (c == ' ' && len > 1)
                afterBlank = len;
        }
        if (!forced && i + len < s.size()) {
            if (i + len + 1 == s.size() && endsParagraph(s[i + len]))
                ++len;
            else if (afterBlank)
                len = afterBlank;
        }
        lines.push_back(s.substr(i, len));
        i += len;
    }
    return lines;
}

std::string randomParagraph(std::mt19937& rng)
{
    std::uniform_int_distribution<int> size(0, 1300), pick(0, 99);
    std::string s(size(rng), 'a');
    int blanks = pick(rng), breaks = pick(rng) / 10;
    for (char& c : s) {
        int r = pick(rng);
        c = r < blanks / 4 ? ' ' : r < blanks / 4 + breaks / 3 ? kLineBreak : 'a';
    }
    return s + kParaMark;
}

}

TEST(Document, LongParagraphsAreCutAsTheRuleSaysWhereverBlanksAndBreaksFall)
{
    // Blanks and breaks at and around every line boundary, none at all, and random mixes.
    std::vector<std::string> paras;
    for (std::size_t at : {0u, 1u, 248u, 249u, 250u, 251u, 499u, 500u})
        for (char c : {' ', kLineBreak}) {
            std::string s(760, 'w');
            s[at] = c;
            paras.push_back(s + kParaMark);
            paras.push_back(s.substr(0, std::max<std::size_t>(at + 1, 250)) + kParaMark);
        }
    paras.push_back(std::string(250, ' ') + kParaMark);
    paras.push_back(std::string(500, 'x') + kParaMark);
    paras.push_back(std::string(501, 'x') + kCellEnd);
    std::mt19937 rng(18);
    for (int i = 0; i < 300; ++i)
        paras.push_back(randomParagraph(rng));
    paras.push_back(std::string(1u << 20, 'n') + kParaMark);

    Document d;
    d.clear();
    std::vector<std::string> expected;
    for (const std::string& p : paras) {
        d.appendRun(p, 0, {});
        for (std::string& l : cutByRule(p))
            expected.push_back(std::move(l));
    }
    ASSERT_EQ(d.lineCount(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n)
        ASSERT_EQ(d.lineChars(n), expected[n]) << "line " << n;

    // An edit in the middle of the long paragraph cuts it again by the same rule.
    std::uint64_t mid = d.paraPos(paras.size() - 1) + 1000;
    std::string blank = " ";
    d.splice(mid, 0, blank, fontsOf(blank, 0).data());
    std::string edited = paras.back();
    edited.insert(1000, " ");
    std::vector<std::string> tail = cutByRule(edited);
    std::size_t first = d.firstLineOf(paras.size() - 1);
    ASSERT_EQ(d.lineCount(), first + tail.size());
    for (std::size_t n = 0; n < tail.size(); ++n)
        ASSERT_EQ(d.lineChars(first + n), tail[n]) << "line " << first + n;
}

// Every edit reports which paragraphs it changed: following the reports, each paragraph from
// before the edit that no report covers is found unchanged where the reports put it, and the
// counts add up; a report of an edit inside one paragraph names the characters it changed.
TEST(Document, EveryEditReportsTheParagraphsItChanged)
{
    std::mt19937 rng(11);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n ? n - 1 : 0)(rng); };
    Document d;
    std::vector<Paragraph> before = d.paragraphs();
    std::vector<TextChange> reports;
    d.onChange = [&](const TextChange& c) { reports.push_back(c); };
    auto check = [&](int step) {
        d.lineCount();   // the lines are cut: the joins and removals that makes are reported too
        const auto& now = d.paragraphs();
        std::vector<std::size_t> at(before.size());   // where each paragraph went, SIZE_MAX: reported changed
        for (std::size_t i = 0; i < at.size(); ++i)
            at[i] = i;
        std::size_t count = before.size();
        for (const TextChange& c : reports) {
            ASSERT_LE(c.first + c.removed, count) << "step " << step;
            count = count - c.removed + c.added;
            for (auto& p : at)
                if (p != SIZE_MAX)
                    p = p >= c.first + c.removed ? p - c.removed + c.added : p >= c.first ? SIZE_MAX : p;
        }
        ASSERT_EQ(count, now.size()) << "step " << step;
        for (std::size_t i = 0; i < at.size(); ++i)
            if (at[i] != SIZE_MAX) {
                const Paragraph& p = now[at[i]];
                ASSERT_TRUE(p.chars == before[i].chars && p.fonts == before[i].fonts && p.meta == before[i].meta)
                    << "step " << step << ": paragraph " << i << " changed unreported";
            }
        if (reports.size() == 1 && reports[0].inPlace) {
            const TextChange& c = reports[0];
            std::string chars = before[c.first].chars;
            ASSERT_LE(c.at + c.erased, chars.size());
            chars.replace(c.at, c.erased, now[c.first].chars.substr(c.at, c.inserted));
            EXPECT_EQ(chars, now[c.first].chars) << "step " << step << ": only the characters reported changed";
        }
        reports.clear();
        before = now;
    };
    static const char* pieces[] = {"word ", "\x15", "cell\x13", "\x12", " ", "\x0F"};
    for (int step = 0; step < 400; ++step) {
        std::string text;
        for (std::size_t i = pick(6); i > 0; --i)
            text += pieces[pick(6)];
        auto fonts = fontsOf(text, static_cast<std::uint16_t>(pick(3)));
        std::uint64_t len = d.length(), pos = pick(len + 1);
        switch (pick(8)) {
        case 0: d.appendRun(text, 1, {int(pick(3)), 0}); break;
        case 1: d.splice(pos, pick(20), text, fonts.data()); break;
        case 2: d.splice(pos, 0, "k", fontsOf("k", 2).data()); break;   // a keystroke
        case 3: d.setFont(pos, static_cast<std::uint16_t>(pick(4))); break;
        case 4: d.setMeta(pick(d.paragraphs().size()), {int(pick(3)), 0}); break;
        case 5: {
            std::size_t n = pick(d.lineCount());
            std::string_view old = d.lineChars(n);
            std::string line(old.substr(0, old.size() / 2));
            line += old.substr(old.size() / 2);   // the same line with a letter more
            line.insert(line.begin() + static_cast<std::ptrdiff_t>(line.size() / 2), 'z');
            d.setLine(n, line, fontsOf(line, 1).data());
            break;
        }
        case 6:
            if (pick(4) == 0)
                d.eraseParagraphs(pick(d.paragraphs().size()), pick(3));
            else
                d.insertParagraphs(pick(d.paragraphs().size() + 1), {Paragraph{"new\x15", fontsOf("new\x15", 0), {}}});
            break;
        default:
            if (pick(20) == 0)
                pick(2) ? d.clear() : d.reset({1, 0});
            else if (!d.paragraphs().empty())
                d.replaceEnd(pick(d.paragraphs().size()), pick(2) ? '\x15' : '\x0C');
            break;
        }
        check(step);
        if (::testing::Test::HasFailure())
            return;
    }
}
