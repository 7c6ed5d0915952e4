// Destinations, the groups whose text is not the document's: the font, colour and list
// tables, pictures, fields and our own embedded controls; and the words inside the tables.
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"

namespace ks::editor::rtf {

void RtfParser::enterDestination(std::uint32_t dest, Param) { top().dest = static_cast<Dest>(dest); }

// A destination whose text is collected and read when its group closes.
void RtfParser::enterTextDestination(std::uint32_t dest, Param)
{
    top().dest = static_cast<Dest>(dest);
    destText_.clear();
}

// A colour table replaces the colours the character states so far were read with.
void RtfParser::colourTable(std::uint32_t, Param)
{
    top().dest = Dest::ColourTable;
    colours_.clear();
    red_ = green_ = blue_ = 0;
    forgetFonts();
}

void RtfParser::picture(std::uint32_t, Param)
{
    top().dest = Dest::Pict;
    picture_ = {};
}

void RtfParser::field(std::uint32_t, Param)
{
    top().fieldInstruction.clear();
    top().skipResult = false;
}

// A field's result: skipped when the instruction placed a picture, else text of its merge field.
void RtfParser::fieldResult(std::uint32_t, Param)
{
    Group& g = top();
    if (g.skipResult)
        g.dest = Dest::Skip;
    else if (!g.fieldInstruction.empty())
        g.chars.field = e_.fieldNumber(g.fieldInstruction);
}

void RtfParser::nestTableProps(std::uint32_t, Param) { top().nestProps = true; }

// "\shppict", "\object", "\result" and the like simply hold text or a picture.
void RtfParser::holder(std::uint32_t, Param) {}

// "\fN" in the font table starts entry N; its name follows, up to ';'.
void RtfParser::fontTableEntry(std::uint32_t, Param p)
{
    fontTableIndex_ = clampInt(p.value, 0, 0xFFFF);
    fontName_.clear();
}

void RtfParser::colourPart(std::uint32_t part, Param p)
{
    std::uint32_t* parts[] = {&red_, &green_, &blue_};
    *parts[part] = static_cast<std::uint32_t>(clampInt(p.value, 0, 255));
}

// List definitions: only the first level's numbering is kept.
void RtfParser::listDefinition(std::uint32_t, Param)
{
    listDef_ = {0, 1, 0, 0};
    listLevels_ = 0;
}

void RtfParser::listLevel(std::uint32_t, Param) { ++listLevels_; }

void RtfParser::listNumbering(std::uint32_t, Param p)
{
    if (listLevels_ != 1)
        return;
    static const int styles[5] = {0, 3, 4, 1, 2};   // "\levelnfc" 0-4: decimal, I, i, A, a
    listDef_.bullet = p.value == 23 ? 1 : 0;
    listDef_.style = p.value >= 0 && p.value < 5 ? styles[p.value] : 0;
}

void RtfParser::listStartAt(std::uint32_t, Param p)
{
    if (listLevels_ == 1)
        listDef_.start = clampInt(p.value, 0, 32767);
}

void RtfParser::listId(std::uint32_t, Param p) { listsById_[clampInt(p.value, INT32_MIN, INT32_MAX)] = listDef_; }

void RtfParser::overrideListId(std::uint32_t, Param p) { overrideListId_ = clampInt(p.value, INT32_MIN, INT32_MAX); }

// "\lsN" in the override table: the number paragraphs use for the list last named.
void RtfParser::overrideNumber(std::uint32_t, Param p)
{
    auto list = listsById_.find(overrideListId_);
    listsByLs_[clampInt(p.value, 0, 32767)] = list != listsById_.end() ? list->second : ListFormat{0, 1, 0, 0};
}

}
