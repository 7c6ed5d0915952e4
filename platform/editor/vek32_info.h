#pragma once
// The editor information record (EditorGetInfo / EditorSetInfo). Callers address
// it by byte offset, so every field sits at a fixed place and the record is 924
// bytes; its first word must read 924.
#include <cstddef>
#include <cstdint>

namespace ks::editor {

struct EditorInfo {
    std::int32_t size = 924;             // 0
    std::int32_t caretColumn = 0;        // 4
    std::int32_t reserved8[4]{};         // 8
    std::int32_t caretLine = 0;          // 24
    std::uint32_t background = 0xFFFFFF; // 28  RW
    std::int32_t reserved32[2]{};        // 32
    std::int32_t selectionKind = 0;      // 40  0 none, 2 text
    std::int32_t selStartColumn = 0;     // 44  the anchor: start may lie after end
    std::int32_t selEndColumn = 0;       // 48
    std::int32_t selStartLine = 0;       // 52
    std::int32_t selEndLine = 0;         // 56
    std::int32_t reserved60[152]{};      // 60
    std::int32_t paragraphCount = 0;     // 668
    std::int32_t reserved672[2]{};       // 672
    std::int32_t option680 = 0;          // 680 RW: option words the add-on writes at set-up
    std::int32_t option684 = 0;          // 684 RW
    std::int32_t option688 = 0;          // 688 RW
    std::int32_t option692 = 0;          // 692 RW
    std::int32_t reserved696[2]{};       // 696
    std::int32_t option704 = 0;          // 704 RW
    std::int32_t option708 = 0;          // 708 RW
    std::int32_t reserved712[6]{};       // 712
    std::int32_t windowLeft = 0;         // 736 the client rectangle: (0, 0, width, height)
    std::int32_t windowTop = 0;          // 740
    std::int32_t windowRight = 0;        // 744
    std::int32_t windowBottom = 0;       // 748
    std::int32_t lineCount = 0;          // 752
    std::int32_t fontCount = 0;          // 756 entries of the font table (ids 0..count-1)
    std::int32_t defaultParaFormat = 0;  // 760 id of the format of plain paragraphs
    std::int32_t viewState = 0;          // 764 0 normal editing view, 1 view command active
    std::uint32_t modeFlags = 0;         // 768 mode word 1 (EditorSetModeFlags)
    std::uint32_t modeFlags2 = 0;        // 772 mode word 2 (EditorSetModeFlags2)
    std::int32_t readOnly = 0;           // 776
    std::int32_t reserved780[3]{};       // 780
    std::int32_t modified = 0;           // 792 RW
    std::int32_t reserved796[9]{};       // 796
    std::int32_t caretSpaceBefore = 0;   // 832 of the caret paragraph, twips
    std::int32_t caretSpaceAfter = 0;    // 836
    std::int32_t reserved840[12]{};      // 840
    std::int32_t mouseX = 0;             // 888 last mouse position, client pixels
    std::int32_t mouseY = 0;             // 892
    std::int32_t reserved896[3]{};       // 896
    std::int32_t check12109 = 0;         // 908 check states the add-on reads; always 0 here
    std::int32_t check12108 = 0;         // 912
    std::int32_t fieldControlId = -1;    // 916 control id of the field object at the caret, <0 none
    std::int32_t reserved920 = 0;        // 920
};

static_assert(sizeof(EditorInfo) == 924);
static_assert(offsetof(EditorInfo, caretLine) == 24);
static_assert(offsetof(EditorInfo, selectionKind) == 40);
static_assert(offsetof(EditorInfo, selEndLine) == 56);
static_assert(offsetof(EditorInfo, paragraphCount) == 668);
static_assert(offsetof(EditorInfo, option680) == 680);
static_assert(offsetof(EditorInfo, option692) == 692);
static_assert(offsetof(EditorInfo, option704) == 704);
static_assert(offsetof(EditorInfo, option708) == 708);
static_assert(offsetof(EditorInfo, windowLeft) == 736);
static_assert(offsetof(EditorInfo, lineCount) == 752);
static_assert(offsetof(EditorInfo, modified) == 792);
static_assert(offsetof(EditorInfo, caretSpaceBefore) == 832);
static_assert(offsetof(EditorInfo, mouseX) == 888);
static_assert(offsetof(EditorInfo, check12109) == 908);
static_assert(offsetof(EditorInfo, fieldControlId) == 916);

}
