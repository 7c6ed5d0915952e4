#include "addon/core/picture_read.h"

#include "addon/base/allocators.h"
#include "addon/base/number_utils.h"
#include "addon/convert/html_attributes.h"
#include "addon/convert/html_entities.h"
#include "addon/convert/jpg_reader.h"
#include "addon/convert/tif_reader.h"
#include "addon/core/html_notify.h"
#include "addon/core/html_read.h"
#include "addon/core/picture_memo.h"
#include "addon/core/tag_data.h"
#include "addon/core/temp_picture.h"
#include "platform/editor/vek32.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks::addon {
namespace {

constexpr int kPackedDib = 8;
constexpr unsigned kPictureFlag = editor::kObjectStyle, kPictureLinked = editor::kLinkText;
constexpr int kImageMap = 1, kFirstImageField = 2;
constexpr char kObjectText[] = {editor::kObjectChar, 0};
// A placeholder without a size is as wide as its alt text in a plain font would be, about.
constexpr int kAltCharWidth = 7, kPlaceholderMinWidth = 24, kPlaceholderMaxWidth = 300, kPlaceholderHeight = 24;

// Copies an attribute value (at most 300 characters) with its zero.
void copyValue(char* destination, const char* source)
{
    std::size_t n = std::min(std::strlen(source), std::size_t(kHtmlTextSize));
    std::memcpy(destination, source, n);
    destination[n] = 0;
}

int insertDib(HWND hWnd, win::HGLOBAL dib, int alignment)
{
    if (!dib)
        return 0;
    int id = EditorInsertPictureHandle(hWnd, kPackedDib, dib, 0, alignment, 0);
    GlobalFree(dib);
    return id;
}

int loadGif(HtmlCtx* ctx, const char* name, int alignment)
{
    void* block = MemAlloc(sizeof(GifFrameTable));
    if (!block)
        return 0;
    auto* frames = new (block) GifFrameTable{};
    win::HGLOBAL dib = nullptr;
    GifRead(ctx, false, name, nullptr, 0, &dib, frames);
    int id = insertDib(ctx->editorWindow, dib, alignment);
    // Frames that cannot be added leave the picture still.
    if (id && frames->frameCount > 0)
        AddPictFrames(ctx, id, frames, alignment);
    FreePictFrames(frames);
    return id;
}

struct ImgAttributes {
    int vertical = 0;        // 0 bottom, 1 middle, 2 top
    int floatSide = 0;       // 1 left, 2 right
    int width = 0;           // pixels, or a negative percentage
    int height = 0;          // pixels
    bool isMap = false;
};

ImgAttributes readAttributes(HtmlCtx* ctx, const char* text)
{
    ImgAttributes a;
    std::string value;
    if (GetHtmlAttrib(ctx, text, "ALIGN", value)) {
        if (strcasecmp(value.c_str(), "MIDDLE") == 0)
            a.vertical = 1;
        else if (strcasecmp(value.c_str(), "TOP") == 0)
            a.vertical = 2;
        else if (strcasecmp(value.c_str(), "LEFT") == 0)
            a.floatSide = 1;
        else if (strcasecmp(value.c_str(), "RIGHT") == 0)
            a.floatSide = 2;
    }
    if (GetHtmlAttrib(ctx, text, "WIDTH", value)) {
        int size = ParseHtmlSize(ctx, value.c_str(), true, true);
        a.width = size > 0 ? MulDiv(size, ctx->pixelsX > 0 ? ctx->pixelsX : 96, 1440) : size;
    }
    if (GetHtmlAttrib(ctx, text, "HEIGHT", value))
        a.height = MulDiv(ParseHtmlSize(ctx, value.c_str(), false, false), ctx->pixelsY > 0 ? ctx->pixelsY : 96, 1440);
    a.isMap = GetHtmlAttrib(ctx, text, "ISMAP", value) != 0;
    return a;
}

// The field whose image this tag is, when the reader is building an image input field.
int imageField(const HtmlCtx* ctx, const HtmlReader* r)
{
    int f = r->currentField;
    return f >= 0 && f < ctx->fieldCount && f < kFieldCount && ctx->fields[f].type == kFieldImage ? f : -1;
}

void placePicture(HtmlCtx* ctx, HtmlReader* r, int id, const ImgAttributes& a, const std::string& src)
{
    HWND hWnd = ctx->editorWindow;
    char name[kHtmlTextSize + 1];
    copyValue(name, src.c_str());
    EditorPictureFileName(hWnd, id, 0, name);
    // The editor keeps the start of a longer source; the save writes it whole.
    if (src.size() >= std::size_t(kPictureNameSize))
        AddTagData(*ctx, kTagPictureSource, id, src.c_str());
    std::string value;
    if (GetHtmlAttribKept(ctx, r->tokenizer.attributes.c_str(), "ALT", value)) {
        // The editor shows the alt text (its first 300 characters); its kept references and a
        // longer text wait for the save beside it.
        if (value.find(kKeptReferenceMark) != std::string::npos || value.size() > std::size_t(kHtmlTextSize))
            AddTagData(*ctx, kTagPictureAlt, id, value.c_str());
        EditorPictureAltText(hWnd, id, 0, ShownText(value).data());
    }
    if (a.width != 0 || a.height >= 1) {
        int entry = AddTagData(*ctx, kTagPictureSize, id, "");
        if (entry >= 0) {
            ctx->tagTable[entry].value1 = a.width;
            ctx->tagTable[entry].value2 = a.height;
        }
    }
    if (GetHtmlAttrib(ctx, r->tokenizer.attributes.c_str(), "USEMAP", value))
        AddTagData(*ctx, kTagPictureMap, id, value.c_str());
    unsigned flags = kPictureFlag;
    if (r->currentGroup().inLink || a.isMap)
        flags |= kPictureLinked;
    int field = imageField(ctx, r);
    int aux = field >= 0 ? field + kFirstImageField : a.isMap ? kImageMap : 0;
    EditorSetPictureProps(hWnd, id, flags, a.vertical, aux);
    if (a.width > 0 || a.height >= 1)
        EditorSetPictureSize(hWnd, id, a.width > 0 ? a.width : -1, a.height >= 1 ? a.height : -1);
    if (a.width < 0)
        EditorSetPictureWidthPercent(hWnd, id, -a.width);
    if (a.floatSide)
        EditorSetPictureFloat(hWnd, id, a.floatSide, 0);
    // An image field is a field of its form as any other.
    int format = field >= 0 ? ObjectParaFormat(ctx, r->currentGroup()) : -1;
    EditorAppendText(hWnd, kObjectText, id, format, CurrentTableCell(r), -1, 0);
    // The picture is the paragraph's content now: the next paragraph's begin ends it, as
    // text would, so a picture alone in its paragraph (or its line, after a break) is not
    // joined to the next (or, before a rule, lost in the rule's paragraph).
    r->paraStart = r->afterLineBreak = r->onlyHiddenOnLine = 0;
    SendHtmlNotify(ctx, kNotifyImagePlaced, reinterpret_cast<WPARAM>(hWnd), id, false);
}

// Stands for a picture that cannot be had (a missing file, one the decoder or the document's
// pixel budget refuses), so that the tag is kept and its place shows the alt text.
int placeholder(HtmlCtx* ctx, const ImgAttributes& a, const char* attributes)
{
    std::string alt;
    GetHtmlAttrib(ctx, attributes, "ALT", alt);
    int textWidth = int(std::min<std::size_t>(alt.size(), kPlaceholderMaxWidth)) * kAltCharWidth + 2 * kAltCharWidth;
    int width = a.width > 0 ? a.width : std::clamp(textWidth, kPlaceholderMinWidth, kPlaceholderMaxWidth);
    int height = a.height >= 1 ? a.height : kPlaceholderHeight;
    return EditorInsertPicturePlaceholder(ctx->editorWindow, width, height, a.vertical);
}

int loadByType(HtmlCtx* ctx, int type, const char* name, int alignment)
{
    HWND hWnd = ctx->editorWindow;
    win::HGLOBAL dib = nullptr;
    switch (type) {
    case kPictBmp: return EditorInsertBmpFile(hWnd, name, alignment, 0);
    case kPictWmf: return EditorInsertWmfFile(hWnd, name, alignment, 0);
    case kPictPng: return EditorInsertPngFile(hWnd, name, alignment, 0);
    case kPictGif: return loadGif(ctx, name, alignment);
    case kPictTif: return insertDib(hWnd, TifRead(ctx, false, name, nullptr, 0, &dib), alignment);
    case kPictJpg: return insertDib(hWnd, JpgRead(ctx, false, name, nullptr, 0, &dib), alignment);
    default: return 0;
    }
}

bool startsWithIgnoringCase(const char* text, const char* prefix)
{
    return strncasecmp(text, prefix, std::strlen(prefix)) == 0;
}

// "//LOCALHOST/C:/x.gif" names C:/x.gif; here "//localhost/home/x.gif" names /home/x.gif.
void removeLocalHost(char* path)
{
    if (!startsWithIgnoringCase(path, "//LOCALHOST"))
        return;
    std::size_t length = std::strlen(path);
    bool drive = length >= 14 && path[11] == '/' && path[13] == ':';
    std::size_t cut = drive ? 12 : 11;
    std::memmove(path, path + cut, length - cut + 1);
}

}

int ReadImgTag(HtmlCtx* ctx, HtmlReader* r)
{
    ImgAttributes a = readAttributes(ctx, r->tokenizer.attributes.c_str());
    std::string src;
    bool named = GetHtmlAttrib(ctx, r->tokenizer.attributes.c_str(), "SRC", src) && !src.empty();
    // An image field without a source is a field of its form all the same (a browser shows
    // it as a button): it keeps its place as a placeholder, and is saved there.
    if (named || imageField(ctx, r) >= 0) {
        // A source longer than a path can be names no file here: it shows its placeholder.
        char path[kPictPathSize]{};
        int id = 0;
        if (named && src.size() < sizeof path) {
            std::memcpy(path, src.c_str(), src.size() + 1);
            id = LoadPictFile(ctx, path, a.vertical);
        }
        if (!id)
            id = placeholder(ctx, a, r->tokenizer.attributes.c_str());
        if (id) {
            // Blanks held before the picture stand before it; with no picture they wait on.
            if (!ReleaseHeldBlank(ctx, r))
                return 0;
            placePicture(ctx, r, id, a, src);
            return 1;
        }
    }
    std::string alt;
    if (GetHtmlAttribKept(ctx, r->tokenizer.attributes.c_str(), "ALT", alt))
        return AppendPendingText(ctx, r, alt);
    return 1;
}

int LoadPictFile(HtmlCtx* ctx, char* name, int alignment)
{
    HWND hWnd = ctx->editorWindow;
    auto answer = SendHtmlNotify(ctx, kNotifyLoadPicture, reinterpret_cast<WPARAM>(hWnd),
                                 reinterpret_cast<LPARAM>(name), false);
    int type = answer > 0 && answer <= kPictNone ? int(answer) : ResolvePictPath(ctx, name);
    PictureMemo* memo = ctx->pictureMemo;
    if (!memo || type == kPictNone)
        return loadByType(ctx, type, name, alignment);
    if (auto known = memo->loaded.find(name); known != memo->loaded.end())
        return known->second ? EditorSharePicture(hWnd, known->second, alignment) : 0;
    int id = loadByType(ctx, type, name, alignment);
    memo->loaded.emplace(name, id);
    return id;
}

int ResolvePictPath(HtmlCtx* ctx, char* path)
{
    std::string upper = path;
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    int type = kPictNone;
    static constexpr const char* kExtensions[] = {".BMP", ".GIF", ".WMF", ".TIF", ".JPG", ".PNG"};
    for (int i = 0; i < 6 && type == kPictNone; ++i)
        if (upper.find(kExtensions[i]) != std::string::npos)
            type = i + 1;
    // ".jpeg" is the other common name of a JPEG file.
    if (type == kPictNone && upper.find(".JPEG") != std::string::npos)
        type = kPictJpg;
    removeLocalHost(path);
    // A relative path is the document's: resolved against the document's folder.
    if (path[0] && path[0] != '/' && ctx->fileName[0]) {
        std::string folder = EditorGetPathDir(ctx->fileName);
        std::string whole = folder + path;
        if (!folder.empty() && whole.size() < std::size_t(kPictPathSize))
            std::memcpy(path, whole.c_str(), whole.size() + 1);
    }
    // A picture is a readable regular file: a pipe or a device of that name would block the read.
    struct stat info;
    if (type != kPictNone && (::stat(path, &info) != 0 || !S_ISREG(info.st_mode) || ::access(path, R_OK) != 0))
        type = kPictNone;
    return type;
}

int AddPictFrames(HtmlCtx* ctx, int picture, GifFrameTable* frames, int alignment)
{
    HWND hWnd = ctx->editorWindow;
    int count = std::min(frames->frameCount, kGifMaxFrames);
    int lastDelay = count > 0 ? frames->delays[count - 1] : 0;
    if (!EditorStartAnimation(hWnd, picture, frames->loopCount, lastDelay))
        return 0;
    int ok = 1;
    for (int i = 0; i < count; ++i) {
        int frame = ok ? EditorInsertPictureHandle(hWnd, kPackedDib, frames->frames[i], 0, alignment, 0) : 0;
        GlobalFree(frames->frames[i]);
        frames->frames[i] = nullptr;
        int delay = i == 0 ? frames->firstDelay : frames->delays[i - 1];
        if (!frame || !EditorAddAnimationFrame(hWnd, picture, frame, delay))
            ok = 0;
    }
    frames->frameCount = 0;
    return ok;
}

void FreePictFrames(GifFrameTable* frames)
{
    if (!frames)
        return;
    for (int i = 0; i < frames->frameCount && i < kGifMaxFrames; ++i)
        GlobalFree(frames->frames[i]);
    frames->~GifFrameTable();
    MemFree(frames);
}

}
