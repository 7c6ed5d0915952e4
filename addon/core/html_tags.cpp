// The reader's tag table: which handler takes a tag, in the order the names are
// tested, and the tags of the head and the body.
#include "addon/base/number_utils.h"
#include "addon/base/text_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/convert/html_entities.h"
#include "addon/core/font_elements.h"
#include "addon/core/html_notify.h"
#include "addon/core/html_tag_handlers.h"
#include "addon/core/para_type.h"
#include "addon/core/picture_read.h"
#include "addon/core/plx_module.h"
#include "addon/core/tag_data.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string>
#include <strings.h>
#include <vector>

namespace ks::addon {
namespace {

enum class Tag {
    Unknown, Head, Title, Base, BaseFont, Meta, Body, P, Div, Br, Frameset, Frame, NoFrames, Table, Tr, Td, Th,
    Caption, Center, Pre, Hr, H1, H2, H3, H4, H5, H6, H7, A, Font, Form, Input, TextArea, Select, Option, Img,
    Ol, Ul, Menu, Dl, Dir, Li, Dt, Dd, U, B, Strong, Dfn, I, Em, Cite, Strike, Sup, Sub, Code, Var, Kbd, Samp,
    Hv, Tt, BlockQuote, Address, Script, Section,
};

struct TagName {
    const char* name;
    Tag tag;
};

constexpr TagName kTags[] = {
    {"a", Tag::A}, {"address", Tag::Address}, {"b", Tag::B}, {"base", Tag::Base}, {"basefont", Tag::BaseFont},
    {"blockquote", Tag::BlockQuote}, {"body", Tag::Body}, {"br", Tag::Br}, {"caption", Tag::Caption},
    {"center", Tag::Center}, {"cite", Tag::Cite}, {"code", Tag::Code}, {"dd", Tag::Dd}, {"dfn", Tag::Dfn},
    {"dir", Tag::Dir}, {"div", Tag::Div}, {"dl", Tag::Dl}, {"dt", Tag::Dt}, {"em", Tag::Em}, {"font", Tag::Font},
    {"form", Tag::Form}, {"frame", Tag::Frame}, {"frameset", Tag::Frameset}, {"h1", Tag::H1}, {"h2", Tag::H2},
    {"h3", Tag::H3}, {"h4", Tag::H4}, {"h5", Tag::H5}, {"h6", Tag::H6}, {"h7", Tag::H7}, {"head", Tag::Head},
    {"hr", Tag::Hr}, {"hv", Tag::Hv}, {"i", Tag::I}, {"img", Tag::Img}, {"input", Tag::Input}, {"kbd", Tag::Kbd},
    {"li", Tag::Li}, {"menu", Tag::Menu}, {"meta", Tag::Meta}, {"noframes", Tag::NoFrames}, {"ol", Tag::Ol},
    {"option", Tag::Option}, {"p", Tag::P}, {"pre", Tag::Pre}, {"samp", Tag::Samp}, {"script", Tag::Script},
    {"select", Tag::Select}, {"strike", Tag::Strike}, {"strong", Tag::Strong}, {"sub", Tag::Sub},
    {"sup", Tag::Sup}, {"table", Tag::Table}, {"td", Tag::Td}, {"textarea", Tag::TextArea}, {"th", Tag::Th},
    {"title", Tag::Title}, {"tr", Tag::Tr}, {"tt", Tag::Tt}, {"u", Tag::U}, {"ul", Tag::Ul}, {"var", Tag::Var},
    // Newer sectioning elements are blocks: the words on either side stay apart.
    {"article", Tag::Section}, {"aside", Tag::Section}, {"figure", Tag::Section}, {"footer", Tag::Section},
    {"header", Tag::Section}, {"main", Tag::Section}, {"nav", Tag::Section}, {"section", Tag::Section},
};

// The tag names by length and first letter: a lookup compares with a few names at most.
struct TagIndex {
    std::array<std::array<std::vector<TagName>, 26>, 11> byLengthAndLetter;
    TagIndex()
    {
        for (const TagName& t : kTags)
            byLengthAndLetter[std::strlen(t.name)][t.name[0] - 'a'].push_back(t);
    }
};

Tag lookupTag(const char* word)
{
    static const TagIndex index;
    constexpr std::size_t kLongestName = 10;   // "blockquote"
    char lower[kLongestName];
    std::size_t n = 0;
    for (; word[n]; ++n) {
        if (n >= kLongestName)
            return Tag::Unknown;
        char c = word[n];
        lower[n] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    if (n == 0 || lower[0] < 'a' || lower[0] > 'z')
        return Tag::Unknown;
    for (const TagName& t : index.byLengthAndLetter[n][lower[0] - 'a'])
        if (std::memcmp(t.name, lower, n) == 0)
            return t.tag;
    return Tag::Unknown;
}

int otherTag(HtmlReader* r)
{
    if (r->tokenizer.beginTag)
        CloseGroup(r);
    return kTagDone;
}

// Tags that the table levels take while a table is open; tables deeper than the levels
// only pass their text on.
int tableTag(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    bool deep = r->tableDepth >= kHtmlTableLevels;
    if (tag == Tag::Caption)
        return deep ? otherTag(r) : CaptionTag(ctx, r);
    if (!deep)
        return tag == Tag::Tr ? RowTag(ctx, r) : CellTag(ctx, r, tag == Tag::Th);
    r->textSuppressed = r->tokenizer.endTag;
    if (r->tokenizer.beginTag) {
        CloseGroup(r);
        return kTagDone;
    }
    if (tag == Tag::Tr)
        return EndOpenParagraph(ctx, r, false) ? kTagDone : kTagFailed;
    AppendPending(r, " ", 1);
    return FlushHtmlText(ctx, r) ? kTagDone : kTagFailed;
}

int documentTag(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    switch (tag) {
    case Tag::P: return ParagraphTag(ctx, r, false);
    case Tag::Div: return ParagraphTag(ctx, r, true);
    case Tag::Section: return SectionTag(ctx, r);
    case Tag::Br: return BreakTag(ctx, r);
    case Tag::Frameset: return FramesetTag(ctx, r);
    case Tag::Frame: return FrameTag(ctx, r);
    case Tag::NoFrames: return NoFramesTag(ctx, r);
    case Tag::Table: return TableTag(ctx, r);
    case Tag::Tr:
        return r->inTable ? tableTag(ctx, r, tag) : ElementTag(ctx, r, kElemTimes);
    case Tag::Td: case Tag::Th: case Tag::Caption:
        return r->inTable ? tableTag(ctx, r, tag) : otherTag(r);
    case Tag::Center: return CenterTag(ctx, r);
    case Tag::Pre: return PreTag(ctx, r);
    case Tag::Hr: return RuleTag(ctx, r);
    case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6: case Tag::H7:
        return HeaderTag(ctx, r, int(tag) - int(Tag::H1) + 1);
    case Tag::A: return AnchorTag(ctx, r);
    case Tag::Font: return FontTag(ctx, r);
    case Tag::Form: return FormTag(ctx, r);
    case Tag::Input: return InputTag(ctx, r);
    case Tag::TextArea: return TextAreaTag(ctx, r);
    case Tag::Select: return SelectTag(ctx, r);
    case Tag::Option: return OptionTag(ctx, r);
    case Tag::Img: return ImageTag(ctx, r);
    case Tag::Ol: return ListTag(ctx, r, kListOrdered);
    case Tag::Ul: return ListTag(ctx, r, kListUnordered);
    case Tag::Menu: return ListTag(ctx, r, kListMenu);
    case Tag::Dir: return ListTag(ctx, r, kListDir);
    case Tag::Dl: return ListTag(ctx, r, kListDef);
    case Tag::Li: return ItemTag(ctx, r);
    case Tag::Dt: return TermTag(ctx, r);
    case Tag::Dd: return DefinitionTag(ctx, r);
    case Tag::U: return StyleTag(ctx, r, kStyleUnderline);
    case Tag::B: case Tag::Strong: case Tag::Dfn: return StyleTag(ctx, r, kStyleBold);
    case Tag::I: case Tag::Em: case Tag::Cite: return StyleTag(ctx, r, kStyleItalic);
    case Tag::Strike: return StyleTag(ctx, r, editor::kStrike);
    case Tag::Sup: return StyleTag(ctx, r, editor::kSuperscript);
    case Tag::Sub: return StyleTag(ctx, r, editor::kSubscript);
    case Tag::Code: return ElementTag(ctx, r, kElemExample);
    case Tag::Var: return ElementTag(ctx, r, kElemVariables);
    case Tag::Kbd: return ElementTag(ctx, r, kElemKeyboard);
    case Tag::Samp: return ElementTag(ctx, r, kElemSample);
    case Tag::Hv: return ElementTag(ctx, r, kElemHelvetica);
    case Tag::Tt: return ElementTag(ctx, r, kElemTypewriter);
    case Tag::BlockQuote: return BlockQuoteTag(ctx, r);
    case Tag::Address: return AddressTag(ctx, r);
    case Tag::Script: return ScriptTag(ctx, r);
    default: return otherTag(r);
    }
}

}

bool TagAttribute(HtmlCtx* ctx, HtmlReader* r, const char* name, std::string& value)
{
    return GetHtmlAttrib(ctx, r->tokenizer.attributes.c_str(), name, value) != 0;
}

std::uint32_t AlignmentOf(const char* value)
{
    if (strcasecmp(value, "right") == 0)
        return kAlignRight;
    if (strcasecmp(value, "center") == 0)
        return kAlignCentre;
    if (strcasecmp(value, "justify") == 0)
        return kAlignJustify;
    return kAlignLeft;
}

void TakeAlignAttribute(HtmlCtx* ctx, HtmlReader* r, HtmlGroup& group)
{
    std::string value;
    if (TagAttribute(ctx, r, "ALIGN", value))
        group.align = (group.align & ~kAlignAny) | AlignmentOf(value.c_str());
}

namespace {

// Where an anchor may go: not where text would go to the wrong place (the head, a table
// outside its cells, frames, the fields' values, scripts). Inside a link's text, which an
// anchor would end, an id waits for the link's end.
bool anchorsHere(const HtmlCtx* ctx, const HtmlReader* r)
{
    return r->textEnabled && !r->textSuppressed && r->currentField < 0 && !r->inHead &&
           ctx->rootFrame.childCount == 0;
}

// Tags whose "id" becomes an anchor where they begin, or after the link around them: not an
// anchor (its data holds it).
bool takesIdAnchor(const HtmlCtx* ctx, const HtmlReader* r, Tag tag)
{
    switch (tag) {
    case Tag::A: case Tag::Head: case Tag::Title: case Tag::Base: case Tag::BaseFont: case Tag::Meta:
    case Tag::Table: case Tag::Tr: case Tag::Caption: case Tag::Frameset: case Tag::Frame: case Tag::NoFrames:
    case Tag::Script: case Tag::Option:
        return false;
    default:
        return anchorsHere(ctx, r);
    }
}

bool isField(Tag tag) { return tag == Tag::Input || tag == Tag::Select || tag == Tag::TextArea; }

int dispatchTag(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    switch (tag) {
    case Tag::Head: return HeadTag(ctx, r);
    case Tag::Title: return TitleTag(ctx, r);
    case Tag::Base: return BaseTag(ctx, r);
    case Tag::BaseFont: return BaseFontTag(ctx, r);
    case Tag::Meta: return MetaTag(ctx, r);
    case Tag::Body: return BodyTag(ctx, r);
    default: break;
    }
    if (!r->textEnabled)
        return otherTag(r);
    return documentTag(ctx, r, tag);
}

// The kind of tag a group records: any header's end ends any header, as in browsers.
int kindOf(Tag tag)
{
    return tag >= Tag::H1 && tag <= Tag::H7 ? int(Tag::H1) : int(tag);
}

// Text-level tags that keep a group of their own: their end inside a block begun in them
// (a header in a link's text) ends their formatting, not the block.
bool isTextLevel(Tag tag)
{
    switch (tag) {
    case Tag::A: case Tag::Code: case Tag::Var: case Tag::Kbd: case Tag::Samp: case Tag::Hv: case Tag::Tt:
        return true;
    default:
        return false;
    }
}

bool isTableTag(Tag tag)
{
    return tag == Tag::Table || tag == Tag::Tr || tag == Tag::Td || tag == Tag::Th || tag == Tag::Caption;
}

// An end tag closes the innermost group a begin tag of its kind opened, with the groups opened
// inside it; one with no such group open closes none (it would end another element's
// formatting), though its handler still does the rest (a paragraph's end).
int handleEndTag(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    int top = r->group;
    int open = tag == Tag::Unknown ? 0 : InnermostGroupOpenedBy(r, kindOf(tag));
    // An end tag in a table whose begin stands outside it closes nothing, as in a browser:
    // closing down to its group closed the table's, and the cell's formatting. Nor does one
    // in a cell whose begin stands outside the cell (the cell's formatting is in that group).
    if (r->inTable && open < InnermostGroupOpenedBy(r, kindOf(Tag::Table)))
        open = 0;
    if (r->inTable && !isTableTag(tag) && GetTableLevel(r).cellOpen && open <= GetTableLevel(r).cellGroup)
        open = 0;
    if (open > 0 && open < top && isTextLevel(tag) && r->textEnabled) {
        LiftGroup(r, open);
        // Ids of elements inside a link's text waited for its end.
        return tag != Tag::A || r->currentGroup().inLink || ReleaseHeldId(ctx, r) ? kTagDone : kTagFailed;
    }
    int result = dispatchTag(ctx, r, tag);
    r->group = open > 0 ? std::min(r->group, open - 1) : std::max(r->group, top);
    return result;
}

}

int AnchorGroupKind()
{
    return kindOf(Tag::A);
}

namespace {

// Blocks a link's data held for its first text goes into when they begin in the link, as
// browsers put a link around them: "<a href=x><h3>Title</h3>" is a link in the header's text.
bool carriesLinkData(Tag tag)
{
    switch (tag) {
    case Tag::P: case Tag::Div: case Tag::Section: case Tag::Center: case Tag::Pre: case Tag::Hr: case Tag::H1:
    case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6: case Tag::H7: case Tag::BlockQuote:
    case Tag::Address: case Tag::Ol: case Tag::Ul: case Tag::Menu: case Tag::Dir: case Tag::Dl: case Tag::Li:
    case Tag::Dt: case Tag::Dd: case Tag::Form: case Tag::Table: case Tag::Tr: case Tag::Td: case Tag::Th:
    case Tag::Caption:
        return true;
    default:
        return false;
    }
}

// Tags that end the link for the text after them: another anchor, frames.
bool endsLinkText(Tag tag) { return tag == Tag::A || tag == Tag::Frameset || tag == Tag::Frame; }

// Tags that put something into the paragraph: a picture, a field.
bool showsContent(Tag tag) { return tag == Tag::Img || isField(tag); }

// The link data held (HtmlReader::heldLink) before the tag: the link's own goes in before
// any tag but the begin of a block; that for a further paragraph before a picture or a
// field, and is dropped where the link's text ends. An end tag keeps it held: it is dropped
// after the tag where the tag ended the link.
int linkDataBefore(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    bool begin = r->tokenizer.beginTag;
    if (r->heldLink.data.empty() || (begin && carriesLinkData(tag)))
        return 1;
    if (!r->heldLink.repeats || (begin && showsContent(tag)))
        return ReleaseHeldLink(ctx, r);
    if (begin && endsLinkText(tag))
        DropHeldLinkRepeat(r);
    return 1;
}

int handleTag(HtmlCtx* ctx, HtmlReader* r, Tag tag)
{
    if (!r->tokenizer.beginTag)
        return handleEndTag(ctx, r, tag);
    r->currentGroup().opener = kindOf(tag);
    bool content = tag == Tag::Img || tag == Tag::Form || (isField(tag) && r->currentForm >= 0);
    if (content && !EndCaptionBelowAtContent(ctx, r))
        return kTagFailed;
    // A field's value takes the text read inside it, where a waiting id would end up: the
    // ids waiting and the field's own become anchors before its control.
    bool field = r->tokenizer.beginTag && isField(tag) && !r->currentGroup().inLink && takesIdAnchor(ctx, r, tag);
    if (field && (IdAnchor(ctx, r) != kTagDone || !ReleaseHeldId(ctx, r)))
        return kTagFailed;
    int result = dispatchTag(ctx, r, tag);
    if (result == kTagDone && r->tokenizer.beginTag && !field && takesIdAnchor(ctx, r, tag))
        return IdAnchor(ctx, r);
    return result;
}

}

int HandleHtmlTag(HtmlCtx* ctx, HtmlReader* r)
{
    Tag tag = lookupTag(r->tokenizer.word);
    if (!linkDataBefore(ctx, r, tag))
        return kTagFailed;
    int result = handleTag(ctx, r, tag);
    if (!r->currentGroup().inLink)
        DropHeldLinkRepeat(r);
    return result;
}

int HeadTag(HtmlCtx*, HtmlReader* r)
{
    r->inHead = r->tokenizer.beginTag;
    r->textEnabled = r->tokenizer.endTag;
    r->pendingLength = 0;
    r->pending[0] = 0;
    return otherTag(r);
}

int TitleTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (r->tokenizer.endTag) {
        HWND hWnd = ctx->editorWindow;
        r->pending[r->pendingLength] = 0;
        // Blanks around the title show nothing; kept, they would be read back or not by
        // whether text came before it.
        TrimString(r->pending);
        if (ctx->topWindow == hWnd) {
            char* text = plxModule().scratch;
            copyCtxText(text, ShownText(r->pending).c_str(), kScratchSize + 1);
            SendHtmlNotify(ctx, kNotifyTitle, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(text), false);
        }
        copyCtxTitle(ctx->docTitle, r->pending);
        // The begin closed its own group: the end has none to close (it would close the
        // group around it, a header's, in the middle of its paragraph).
    } else {
        CloseGroup(r);
    }
    r->pendingLength = 0;
    r->pending[0] = 0;
    // A title inside the head leaves the head's text out when it ends.
    r->textEnabled = r->tokenizer.endTag && !r->inHead;
    return kTagDone;
}

int BaseTag(HtmlCtx* ctx, HtmlReader* r)
{
    std::string href;
    if (r->tokenizer.beginTag && TagAttribute(ctx, r, "HREF", href))
        SendHtmlNotify(ctx, kNotifyBase, reinterpret_cast<WPARAM>(ctx->editorWindow),
                       reinterpret_cast<LPARAM>(href.c_str()), false);
    return otherTag(r);
}

int BaseFontTag(HtmlCtx* ctx, HtmlReader* r)
{
    std::string size;
    if (r->tokenizer.beginTag && TagAttribute(ctx, r, "size", size))
        ctx->baseFontSize = TextToInt(size.c_str());
    return otherTag(r);
}

int MetaTag(HtmlCtx* ctx, HtmlReader* r)
{
    if (!r->tokenizer.beginTag)
        return kTagDone;
    std::string value, data;
    int entry = -1;
    if (TagAttribute(ctx, r, "http-equiv", value))
        entry = AddTagData(*ctx, kTagMeta, 1, value.c_str());
    else if (TagAttribute(ctx, r, "name", value))
        entry = AddTagData(*ctx, kTagMeta, 2, value.c_str());
    if (entry >= 0 && TagAttribute(ctx, r, "content", value))
        SetTagDataText2(*ctx, entry, value.c_str());
    if (TagAttribute(ctx, r, "UserTagId", value) && TagAttribute(ctx, r, "UserTagData", data))
        SetUserTag(*ctx, TextToInt(value.c_str()), data.c_str());
    return otherTag(r);
}

int BodyTag(HtmlCtx* ctx, HtmlReader* r)
{
    HWND hWnd = ctx->editorWindow;
    // Text read before a head is in the document with its paragraph still open: the body
    // ends it as it ends one read with text enabled (what the head held is no text).
    if (r->tokenizer.beginTag && !r->textEnabled && !r->paraStart) {
        r->pendingLength = 0;
        r->pending[0] = 0;
        r->textEnabled = 1;
    }
    if (r->textEnabled) {
        // A paragraph it ends right at a line break gets no spacing, as where an end tag ends
        // it there; else it takes the spacing the last paragraph end left in its group.
        if (!r->paraStart && r->afterLineBreak && r->pendingLength == 0)
            r->currentGroup().spacing[0] = r->currentGroup().spacing[1] = 0;
        if (!(r->paraStart ? FlushHtmlText(ctx, r) : AppendParagraphEnd(ctx, r, ctx->marker)))
            return kTagFailed;
    }
    if (r->tokenizer.endTag) {
        CloseGroup(r);
        return kTagDone;
    }
    std::string value;
    if (TagAttribute(ctx, r, "BACKGROUND", value)) {
        SendHtmlNotify(ctx, kNotifyBackground, reinterpret_cast<WPARAM>(hWnd), 0, false);
        // The path may be rewritten (resolved against the page's folder) up to its size.
        char name[kPictPathSize]{};
        copyCtxText(name, value.c_str(), sizeof name);
        int picture = LoadPictFile(ctx, name, 0);
        if (picture > 0) {
            EditorSetBkPicture(hWnd, picture, 2, 0);
            copyCtxText(ctx->bkPictureName, value.c_str(), kCtxNameSize);
        }
    }
    if (TagAttribute(ctx, r, "bgcolor", value)) {
        ctx->docBkColor = GetHtmlColor(ctx, value.c_str());
        ctx->bkColorSet = 1;
    }
    if (TagAttribute(ctx, r, "text", value)) {
        ctx->textColor = GetHtmlColor(ctx, value.c_str());
        ctx->textColorSet = 1;
    }
    r->textEnabled = 1;
    r->inHead = 0;
    r->paraStart = 1;
    return otherTag(r);
}

}
