#pragma once
// The menu command ids a host builds its HTML menus from (PlxCommand, PlxMenuEnable,
// PlxMenuSelect). They are contiguous: hosts loop from the first to the last.
namespace ks::addon::menu {

inline constexpr int kFirst = 12098;
inline constexpr int kLast = 12179;

// The editor's own view and selection commands.
inline constexpr int kParagraphMarks = 12098;
inline constexpr int kSelectAll = 12099;

// Documents and the view mode; these act on the frameset's top window.
inline constexpr int kSave = 12100;
inline constexpr int kSaveAs = 12101;
inline constexpr int kNew = 12102;
inline constexpr int kOpen = 12103;
inline constexpr int kLeaveViewMode = 12104;
inline constexpr int kEnterViewMode = 12105;
inline constexpr int kRuler = 12106;
inline constexpr int kToolbar = 12107;
inline constexpr int kFontElements = 12108;
inline constexpr int kLinkLook = 12109;
inline constexpr int kViewCommand = 12110;
inline constexpr int kRefresh = 12111;

// Paragraph types. Headers run from level 1 to 7.
inline constexpr int kHeader1 = 12112;
inline constexpr int kHeader7 = 12118;
inline constexpr int kBlockQuote = 12119;
inline constexpr int kNoCommand = 12120;   // inside the range, but runs nothing
inline constexpr int kPreformatted = 12121;
inline constexpr int kTypewriter = 12122;
inline constexpr int kAddress = 12123;
inline constexpr int kNormal = 12124;

// Alignment and character styles.
inline constexpr int kAlignLeft = 12125;
inline constexpr int kAlignRight = 12126;
inline constexpr int kAlignCentre = 12127;
inline constexpr int kJustify = 12128;
inline constexpr int kBold = 12129;
inline constexpr int kItalic = 12130;
inline constexpr int kUnderline = 12131;
inline constexpr int kSuperscript = 12132;
inline constexpr int kSubscript = 12133;
inline constexpr int kStrikeOut = 12134;
inline constexpr int kPlainStyle = 12135;

// Lists. Levels run from 1 to 7.
inline constexpr int kOrderedList = 12136;
inline constexpr int kUnorderedList = 12137;
inline constexpr int kListLevel1 = 12138;
inline constexpr int kListLevel7 = 12144;
inline constexpr int kListMarker = 12145;
inline constexpr int kDefinitionTerm = 12146;
inline constexpr int kDefinition = 12147;

// Character types of selected text.
inline constexpr int kExample = 12148;
inline constexpr int kKeyboardInput = 12149;
inline constexpr int kSampleText = 12150;
inline constexpr int kVariables = 12151;
inline constexpr int kPlainText = 12152;

// Objects: rules, pictures, links, forms and their fields.
inline constexpr int kInsertRule = 12153;
inline constexpr int kEditRule = 12154;
inline constexpr int kInsertPicture = 12155;
inline constexpr int kInsertLink = 12156;
inline constexpr int kEditForm = 12157;
inline constexpr int kFormMark = 12158;
inline constexpr int kFormOfBlock = 12159;
inline constexpr int kTextField = 12160;
inline constexpr int kButtonField = 12161;
inline constexpr int kImageField = 12162;
inline constexpr int kSelectField = 12163;
inline constexpr int kAddOption = 12164;
inline constexpr int kDeleteOption = 12165;

// Tables and the rest.
inline constexpr int kInsertTable = 12166;
inline constexpr int kRowAfter = 12167;
inline constexpr int kRowBefore = 12168;
inline constexpr int kDeleteRow = 12169;
inline constexpr int kColumnAfter = 12170;
inline constexpr int kColumnBefore = 12171;
inline constexpr int kDeleteColumn = 12172;
inline constexpr int kPageBreak = 12173;
inline constexpr int kLineBreak = 12174;
inline constexpr int kFontSize = 12175;
inline constexpr int kEditLink = 12176;
inline constexpr int kMergeCells = 12177;
inline constexpr int kParaSpacing = 12178;
inline constexpr int kSplitCell = 12179;

// The editor's own command numbers the menus reach, and its answers to a query.
inline constexpr int kEdParagraphMarks = 717, kEdSelectAll = 629, kEdRuler = 686, kEdToolbar = 692;
inline constexpr int kEdPageBreak = 628, kEdLineBreak = 654;
inline constexpr int kEdAvailable = 1, kEdChecked = 8;

}
