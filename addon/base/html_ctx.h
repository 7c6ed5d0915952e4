#pragma once
// The per-window add-on context: everything the library knows about one editor
// window. The editor allocates the block and keeps it for the window; the record
// holds no owning C++ members, so dropping the block needs no destructor.
#include "platform/editor/vek32_codes.h"
#include "platform/win/win_types.h"

#include <cstdint>
#include <type_traits>

namespace ks::addon {

using COLORREF = std::uint32_t;   // red in the low byte, then green, blue

inline constexpr int kFontElementCount = 20;
inline constexpr int kCtxTextSize = 301;      // 300 characters and the zero
inline constexpr int kCtxNameSize = 128;
inline constexpr int kFormCount = 25;
inline constexpr int kFieldCount = 200;
inline constexpr int kFirstFieldId = 2000;
inline constexpr COLORREF kDefaultBackground = 0xC0C0C0;

struct FontElement {
    std::int32_t created = 0;     // 0: the next lookup defines the editor font again
    std::int32_t fontId = 0;      // < 0: the editor refused it
    char face[31]{};
    std::int32_t points = 0;
    std::uint32_t style = 0;
    COLORREF colour = 0;
    COLORREF colour2 = 0xFFFFFF;
};

// Frame record flags.
inline constexpr std::uint32_t kFrameBorders = 0x1, kFrameRows = 0x2, kFrameCols = 0x4;
inline constexpr std::uint32_t kFrameRelative = 0x8, kFramePercent = 0x10, kFrameNoResize = 0x20;

// One frameset (its children follow) or one frame.
struct FrameRecord {
    std::int32_t frameset = 0;
    std::int32_t childCount = 0;
    std::int32_t childCapacity = 0;
    FrameRecord* children = nullptr;   // MemAlloc array
    FrameRecord* parent = nullptr;
    std::int32_t size = 0;
    std::int32_t left = 0, top = 0, height = 0, width = 0;
    HWND window = nullptr;
    char* name = nullptr;              // MemAlloc copies
    char* source = nullptr;
    char* target = nullptr;
    std::uint32_t flags = 0;
};

// How the add-on's dialogs take and return their values.
struct DialogExchange {
    std::int32_t values[5]{};
    char linkText[kCtxTextSize]{};
    char pictureFile[kCtxTextSize]{};
    char href[kCtxTextSize]{};
    char name[kCtxTextSize]{};
    char target[kCtxTextSize]{};
};

struct FormRecord {
    std::int32_t method = 0;   // non-zero POST
    char action[100]{};
};

enum FieldType : std::int32_t {
    kFieldText = 0, kFieldRadio = 1, kFieldSubmit = 2, kFieldReset = 3, kFieldTextArea = 4,
    kFieldCheckBox = 5, kFieldHidden = 6, kFieldPassword = 7, kFieldImage = 8, kFieldSelect = 9,
};

struct FieldOption {
    std::int32_t selected = 0;
    char* value = nullptr;     // OurAlloc; null: the display text is submitted
    char* display = nullptr;
};

struct FieldRecord {
    std::int32_t type = 0;
    char name[60]{};
    std::int32_t form = 0;
    std::int32_t checked = 0;          // radio and check box; a selection list's last option
    void* value = nullptr;             // OurAlloc text, or a selection list's FieldOption array
    std::int32_t size = 0;
    std::int32_t maxLength = 0;
    std::int32_t controlId = 0;
    std::int32_t rows = 0, columns = 0;
    std::int32_t clickX = 0, clickY = 0;
    std::int32_t multiple = 0;
    std::int32_t optionCapacity = 50;
    WNDPROC previousProc = nullptr;
};

// One entry of the tag-data table: what a page says that the document has no place for.
enum TagDataType : std::int32_t {
    kTagFree = 0, kTagCellAttribute = 1, kTagPictureSize = 2, kTagMeta = 3, kTagPictureMap = 4, kTagUser = 5,
    kTagPictureAlt = 6,                // the alt text whole with its kept references, where it has any
                                       // or is longer than the editor keeps
    kTagPictureSource = 7,             // the source whole, where it is longer than the editor keeps
    kTagFormAction = 8,                // the action whole, where it is longer than the form record keeps
};
struct TagData {
    std::int32_t type = kTagFree;
    std::int32_t id = 0;               // the cell, the picture, 1 http-equiv / 2 name, the host's id
    std::int32_t value1 = 0, value2 = 0;
    char* text1 = nullptr;             // heap copies owned by the entry, or null
    char* text2 = nullptr;
};

struct GifFrameTable;
struct PictureMemo;

struct HtmlCtx {
    FontElement fonts[kFontElementCount];
    HWND hostWindow = nullptr;
    HWND editorWindow = nullptr;
    HWND activeFrameWindow = nullptr;    // where link targets and frameset commands go
    std::int32_t lastError = 0;          // written by PrintError
    char marker = editor::kParaMark;
    std::int32_t spacing[2] = {120, 120};   // twips; the editor gets [1] first
    std::int32_t charWidth = 0, charHeight = 0;
    std::int32_t pixelsX = 96, pixelsY = 96;
    COLORREF defaultBkColor = kDefaultBackground;
    COLORREF bkColor = kDefaultBackground;
    COLORREF docBkColor = 0;             // transparent GIF pixels take it
    COLORREF textColor = 0;
    COLORREF linkColor = 0xFF0000;
    std::uint32_t linkStyle = 1;
    DialogExchange dialog;
    FormRecord forms[kFormCount];
    FieldRecord fields[kFieldCount];
    std::int32_t formCount = 0;
    std::int32_t fieldCount = 0;
    std::int32_t nextFieldId = kFirstFieldId;
    std::int32_t currentField = 0;
    FrameRecord rootFrame;
    char targetName[kCtxTextSize]{};
    char frameName[kCtxTextSize]{};
    char defaultTarget[kCtxTextSize]{};
    HWND topWindow = nullptr;
    HWND parentWindow = nullptr;
    std::int32_t noRedirect = 0;         // set around a reformat and the writer
    TagData* tagTable = nullptr;
    std::int32_t tagCount = 0, tagCapacity = 0;
    std::int32_t tagFreeCount = 0;       // free entries below tagCount
    WNDPROC hostCallback = nullptr;
    char fileName[kCtxNameSize]{};
    char bkPictureName[kCtxNameSize]{};
    char docTitle[kCtxNameSize]{};
    std::int32_t docFormat = 1;          // HTML
    std::int32_t openStyle = 0, fontOpen = 0;   // the writer's open style tags and "font" tag
    std::int32_t tempPictureCount = 0;
    std::int32_t baseFontSize = 3;
    std::int32_t bkColorSet = 0, textColorSet = 0, rtfConversion = 0;
    std::int32_t paraOpen = 0, divOpen = 0;     // the writer's open paragraph, and whether a "div"
    std::int32_t viewMode = 0;
    std::uint32_t flags = 0;             // PlxSetFlags
    std::uint32_t unsupported = 0;       // features the reader met but cannot show
    GifFrameTable* pictureFrames = nullptr;
    PictureMemo* pictureMemo = nullptr;  // the pictures of the read under way
    HtmlCtx* topCtx = nullptr;
};

static_assert(std::is_trivially_destructible_v<HtmlCtx>);

}
