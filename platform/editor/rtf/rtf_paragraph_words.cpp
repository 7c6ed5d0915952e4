// Paragraph formatting words: alignment, borders, indents and spacing, table depth, and
// the two ways of numbering a paragraph (the old "\pn" words and "\ls" list overrides).
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

namespace ks::editor::rtf {
namespace {

constexpr int ParaFormat::* kParaNumbers[] = {
    &ParaFormat::leftIndent, &ParaFormat::rightIndent, &ParaFormat::firstIndent, &ParaFormat::spaceBefore,
    &ParaFormat::spaceAfter, &ParaFormat::lineValue, &ParaFormat::typeWord, &ParaFormat::opaque4,
    &ParaFormat::opaque5, &ParaFormat::ruleValue, &ParaFormat::styleFlags, &ParaFormat::ruleWord};

}

void RtfParser::paraAlign(std::uint32_t align, Param) { top().para.align = static_cast<int>(align); }

// A paragraph border side; a "\brdrw" after it sizes the paragraph's border, not a cell's.
void RtfParser::paraBorder(std::uint32_t side, Param)
{
    top().para.borders |= static_cast<int>(side);
    borderTarget_ = 4;
}

void RtfParser::paraNumber(std::uint32_t which, Param p) { top().para.format.*kParaNumbers[which] = twips(p.value); }

void RtfParser::numberStyle(std::uint32_t style, Param) { top().para.list.style = static_cast<int>(style); }

void RtfParser::pard(std::uint32_t, Param) { top().para = ParaState{}; }

void RtfParser::inTable(std::uint32_t, Param) { top().para.depth = std::max(top().para.depth, 1); }

void RtfParser::tableDepth(std::uint32_t, Param p) { top().para.depth = clampInt(p.value, 0, kMaxDepth); }

// Our own files give the paragraph flags whole; others build them from alignment, borders and numbering.
void RtfParser::paraFlags(std::uint32_t, Param p)
{
    top().para.format.flags = twips(p.value);
    top().para.exactFlags = true;
}

void RtfParser::paraBackground(std::uint32_t, Param p)
{
    top().para.format.background = static_cast<std::uint32_t>(clampInt(p.value, 0, 0xFFFFFF));
}

void RtfParser::paraColour(std::uint32_t, Param p)
{
    if (p.value > 0)
        top().para.format.background = colourAt(p.value);
}

// "\ls": the list override's format, at the level the paragraph already has.
void RtfParser::paraList(std::uint32_t, Param p)
{
    ParaState& para = top().para;
    para.numbered = true;
    int level = para.list.level;
    auto it = listsByLs_.find(clampInt(p.value, 0, 32767));
    para.list = it == listsByLs_.end() ? ListFormat{0, 1, 0, 0} : it->second;
    para.list.level = level;
}

void RtfParser::paraListLevel(std::uint32_t numbered, Param p)
{
    if (numbered)
        top().para.numbered = true;
    top().para.list.level = clampInt(p.value, 0, 9);
}

void RtfParser::paraBullet(std::uint32_t bullet, Param)
{
    top().para.numbered = true;
    top().para.list.bullet = static_cast<int>(bullet);
}

void RtfParser::paraListStart(std::uint32_t, Param p) { top().para.list.start = clampInt(p.value, 0, 32767); }

void RtfParser::paraListBullet(std::uint32_t, Param p) { top().para.list.bullet = p.value ? 1 : 0; }

void RtfParser::paraListStyle(std::uint32_t, Param p) { top().para.list.style = clampInt(p.value, 0, 4); }

}
