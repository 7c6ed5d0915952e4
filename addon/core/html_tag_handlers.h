#pragma once
// The reader's tag handlers, one per tag or family, each for the begin and the end
// tag in r (r->tokenizer.beginTag / r->tokenizer.endTag); results are TagResult values (html_read.h).
#include "addon/core/html_read.h"

#include <string>

namespace ks::addon {

// The value of an attribute of the current tag (empty when absent); true when present.
bool TagAttribute(HtmlCtx* ctx, HtmlReader* r, const char* name, std::string& value);
// "align" values: centre 1, right 2, justify 0x800, left 0x400 (any other value).
std::uint32_t AlignmentOf(const char* value);
// Replaces a group's alignment with the current tag's "align", when it has one.
void TakeAlignAttribute(HtmlCtx* ctx, HtmlReader* r, HtmlGroup& group);

// Head and document (html_tags.cpp).
int HeadTag(HtmlCtx* ctx, HtmlReader* r);
int TitleTag(HtmlCtx* ctx, HtmlReader* r);
int BaseTag(HtmlCtx* ctx, HtmlReader* r);
int BaseFontTag(HtmlCtx* ctx, HtmlReader* r);
int MetaTag(HtmlCtx* ctx, HtmlReader* r);
int BodyTag(HtmlCtx* ctx, HtmlReader* r);

// Paragraphs and blocks (html_tags_blocks.cpp).
int ParagraphTag(HtmlCtx* ctx, HtmlReader* r, bool div);
// Sectioning elements ("section", "nav", ...): blocks as "div" is.
int SectionTag(HtmlCtx* ctx, HtmlReader* r);
int BreakTag(HtmlCtx* ctx, HtmlReader* r);
int CenterTag(HtmlCtx* ctx, HtmlReader* r);
int PreTag(HtmlCtx* ctx, HtmlReader* r);
int BlockQuoteTag(HtmlCtx* ctx, HtmlReader* r);
int AddressTag(HtmlCtx* ctx, HtmlReader* r);
int HeaderTag(HtmlCtx* ctx, HtmlReader* r, int level);
int RuleTag(HtmlCtx* ctx, HtmlReader* r);
int NoFramesTag(HtmlCtx* ctx, HtmlReader* r);

// Links, fonts, character styles and lists (html_tags_text.cpp).
int AnchorTag(HtmlCtx* ctx, HtmlReader* r);
// An anchor's data (its attribute text) as hidden text at the current place.
int InsertAnchorData(HtmlCtx* ctx, HtmlReader* r, const char* data);
// Inserts the link data held, if any (see HtmlReader::heldLink).
int ReleaseHeldLink(HtmlCtx* ctx, HtmlReader* r);
// Drops the link data held for a further paragraph of the link: no text of the link follows.
void DropHeldLinkRepeat(HtmlReader* r);
// The current begin tag's "id" as a named anchor where the element's first text (or picture)
// comes: in-page links reach it and the writer keeps it. It is held until then.
int IdAnchor(HtmlCtx* ctx, HtmlReader* r);
// Inserts the id held, if any.
int ReleaseHeldId(HtmlCtx* ctx, HtmlReader* r);
int FontTag(HtmlCtx* ctx, HtmlReader* r);
int StyleTag(HtmlCtx* ctx, HtmlReader* r, std::uint32_t bits);
int ElementTag(HtmlCtx* ctx, HtmlReader* r, int element);
int ListTag(HtmlCtx* ctx, HtmlReader* r, int type);
int ItemTag(HtmlCtx* ctx, HtmlReader* r);
int TermTag(HtmlCtx* ctx, HtmlReader* r);
int DefinitionTag(HtmlCtx* ctx, HtmlReader* r);
int StartLooseListItem(HtmlCtx* ctx, HtmlReader* r, int type, bool term);

// Forms, pictures and scripts (html_tags_forms.cpp).
int FormTag(HtmlCtx* ctx, HtmlReader* r);
// Ends a selection list or a text area left open (at its form's or the page's end): its
// control is made of what was read.
int EndOpenFieldBlock(HtmlCtx* ctx, HtmlReader* r);
// A selection list or a text area is open.
bool FieldBlockOpen(HtmlCtx* ctx, HtmlReader* r);
// A selection list of a form is open.
bool SelectListOpen(HtmlCtx* ctx, HtmlReader* r);
// A block or item begun in an open list or text area, passed over as a browser does; its group closes.
bool PassedOverInField(HtmlReader* r);
// A text area's value is being read; at the start of one of its lines (nothing of it read
// yet, or a line end last).
bool TextAreaOpen(const HtmlCtx* ctx, const HtmlReader* r);
bool AtTextAreaLineStart(const HtmlCtx* ctx, const HtmlReader* r);
int InputTag(HtmlCtx* ctx, HtmlReader* r);
int TextAreaTag(HtmlCtx* ctx, HtmlReader* r);
int SelectTag(HtmlCtx* ctx, HtmlReader* r);
int OptionTag(HtmlCtx* ctx, HtmlReader* r);
int ImageTag(HtmlCtx* ctx, HtmlReader* r);
int ScriptTag(HtmlCtx* ctx, HtmlReader* r);

}
