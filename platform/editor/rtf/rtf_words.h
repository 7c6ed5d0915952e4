#pragma once
// The private control words the writer uses for what RTF has no word for, so
// that a document saved and loaded again is the same document. Other readers
// skip them (unknown words and "\*" destinations).
namespace ks::editor::rtf {

// Character: user id, HTML size tag, the 0x100 mark style, link text.
constexpr const char* kUserId = "vekuid";
constexpr const char* kSizeTag = "vektag";
constexpr const char* kMarkStyle = "vekmark";
constexpr const char* kLinkWord = "veklink";
constexpr const char* kColour2 = "vekcolb";        // second colour, 0xBBGGRR as a number
// (Control words are letters only: a digit would start the parameter.)
// Paragraph: type word, opaque values 4 and 5, rule value, style flags, line value,
// the exact paragraph flags, rule word, list (bullet, start, level, style).
constexpr const char* kTypeWord = "vekpt";
constexpr const char* kOpaque4 = "vekpa";
constexpr const char* kOpaque5 = "vekpb";
constexpr const char* kRuleValue = "vekrv";
constexpr const char* kStyleFlags = "veksf";
constexpr const char* kLineValue = "veklv";
constexpr const char* kParaFlags = "vekpf";
constexpr const char* kRuleWord = "vekrw";
constexpr const char* kParaBackground = "vekbg";
constexpr const char* kListBullet = "veklb";
constexpr const char* kListStart = "vekls";
constexpr const char* kListLevel = "vekll";
constexpr const char* kListStyle = "veklt";
// Cells and tables (cell definition words, before \cellx).
constexpr const char* kCellWidth = "vekcw";
constexpr const char* kCellHeight = "vekch";
constexpr const char* kRowSpan = "vekrs";
constexpr const char* kColSpan = "vekcs";
constexpr const char* kCellFlags = "vekcf";
constexpr const char* kCellAlign = "vekca";
constexpr const char* kCellColour = "vekcc";
constexpr const char* kCellPadding = "vekcp";
constexpr const char* kBorder = "vekbd";           // four of them, in order
constexpr const char* kTableWidth = "vektw";
constexpr const char* kTableIndent = "vekti";
constexpr const char* kTableAlign = "vekta";
constexpr const char* kTableColumns = "vektc";
// Destinations: a picture's file name and placement; an embedded control.
constexpr const char* kPictureName = "vekpicname";
constexpr const char* kPictureAux = "vekaux";
constexpr const char* kPictureValign = "vekvalign";
constexpr const char* kPictureFloat = "vekfloat";
constexpr const char* kPictureLink = "veklinkpic";
constexpr const char* kControl = "vekctl";             // "class style width height id"

}
