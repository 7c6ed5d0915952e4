// Exports: pictures, embedded controls, animation and the background picture.
#include "platform/editor/model/api_support.h"
#include "platform/editor/model/picture_budget.h"
#include "platform/editor/model/picture_files.h"
#include "platform/files/files.h"
#include "platform/win/global_memory.h"

using namespace ks::editor;

namespace {

constexpr int kTwipsPerPixel = 15;   // at 96 pixels an inch
constexpr std::size_t kMaxFileName = 259;
constexpr std::size_t kMaxAltText = 300;
constexpr int kPlaceholderSide = 24;   // a placeholder given no size
constexpr std::size_t kPictureHeaderBytes = 64;   // enough for a DIB's or a placeable metafile's size
// The loop count of an animation that runs for ever (a GIF's looping extension of 0).
constexpr int kLoopEndlessly = -2;

// A picture that cannot be made uses up a refill prepared for it: the next picture made
// must not overwrite the one that was to be refilled.
int refused(Editor& e)
{
    e.pendingReplace = 0;
    return 0;
}

int validAlign(int align) { return align == kAlignMiddle || align == kAlignTop ? align : kAlignBottom; }

int makePicture(Editor& e, ObjectData::Format format, std::string bytes, const std::string& fileName, int align)
{
    int w, h;
    if (!probePicture(format, bytes, w, h))
        return refused(e);
    ObjectData o;
    o.format = format;
    o.data = std::move(bytes);
    o.rect = {0, 0, w, h};
    o.verticalAlign = validAlign(align);
    o.fileName = fileName.substr(0, kMaxFileName);
    int id = e.newObject(std::move(o));
    return id < 0 ? refused(e) : id;
}

int pictureFromFile(HWND hWnd, const char* file, ObjectData::Format format, int align)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string bytes;
        if (!ks::files::readFile(str(file), bytes))
            return refused(e);
        return makePicture(e, format, std::move(bytes), str(file), align);
    });
}

// The first object character whose object satisfies test: its position, or -1.
template <class Test>
int findObjectChar(Editor& e, Test&& test)
{
    std::uint64_t pos = 0;
    for (const Paragraph& p : e.doc.paragraphs()) {
        for (std::size_t i = 0; i < p.chars.size(); ++i)
            if (p.chars[i] == kObjectChar && test(p.fonts[i]))
                return static_cast<int>(pos + i);
        pos += p.chars.size();
    }
    return -1;
}

// Copies an object's text out to buffer (get 1), or sets it from buffer, cut to max characters.
int objectText(HWND hWnd, int id, int get, char* buffer, std::string ObjectData::*text, std::size_t max)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || !buffer)
            return 0;
        if (get)
            copyOut(buffer, o->*text, max + 1);
        else
            o->*text = std::string(buffer).substr(0, max);
        return 1;
    });
}

bool saveBytes(const char* file, const std::string& bytes)
{
    return !bytes.empty() && ks::files::saveFile(str(file), bytes);
}

}

extern "C" {

int EditorInsertBmpFile(HWND hWnd, const char* file, int align, int)
{
    return pictureFromFile(hWnd, file, ObjectData::Format::Bmp, align);
}

int EditorInsertWmfFile(HWND hWnd, const char* file, int align, int)
{
    return pictureFromFile(hWnd, file, ObjectData::Format::Wmf, align);
}

int EditorInsertPngFile(HWND hWnd, const char* file, int align, int)
{
    return pictureFromFile(hWnd, file, ObjectData::Format::Png, align);
}

int EditorInsertPictureHandle(HWND hWnd, int format, HGLOBAL block, int, int align, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        auto kind = format == 8 ? ObjectData::Format::Dib : format == 3 ? ObjectData::Format::Wmf : ObjectData::Format::None;
        const char* bytes = static_cast<const char*>(GlobalLock(block));
        if (!bytes || kind == ObjectData::Format::None) {
            if (bytes)
                GlobalUnlock(block);
            return refused(e);
        }
        // The budget is asked of the header first: copying a refused picture would double its memory.
        ObjectData header;
        header.format = kind;
        header.data = std::string(bytes, std::min<std::size_t>(GlobalSize(block), kPictureHeaderBytes));
        if (!fitsPictureBudget(e.fonts, header, e.object(e.pendingReplace) ? e.pendingReplace : 0)) {
            GlobalUnlock(block);
            return refused(e);
        }
        std::string copy(bytes, GlobalSize(block));
        GlobalUnlock(block);
        return makePicture(e, kind, std::move(copy), {}, align);
    });
}

int EditorSharePicture(HWND hWnd, int id, int align)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const ObjectData* source = e.object(id);
        int w, h;
        if (!source || source->kind != ObjectData::Kind::Picture || !probePicture(source->format, source->data, w, h))
            return refused(e);
        ObjectData o;
        o.format = source->format;
        o.data = source->data;
        o.frames = source->frames;
        o.loopCount = source->loopCount;
        o.frameDelay = source->frameDelay;
        o.rect = {0, 0, w, h};
        o.verticalAlign = validAlign(align);
        int shared = e.newObject(std::move(o));
        return shared < 0 ? refused(e) : shared;
    });
}

int EditorInsertPicturePlaceholder(HWND hWnd, int width, int height, int align)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData o;
        o.rect = {0, 0, width > 0 ? width : kPlaceholderSide, height > 0 ? height : kPlaceholderSide};
        o.verticalAlign = validAlign(align);
        int id = e.newObject(std::move(o));
        return id < 0 ? refused(e) : id;
    });
}

int EditorPictureIsPlaceholder(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        const ObjectData* o = e.object(id);
        return o && o->kind == ObjectData::Kind::Picture && o->data.empty() ? 1 : 0;
    });
}

int EditorPreparePictureReplace(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || o->kind != ObjectData::Kind::Picture)
            return 0;
        e.pendingReplace = id;
        return 1;
    });
}

int EditorPlacePicture(HWND hWnd, int id, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!e.object(id))
            return 0;
        std::uint64_t from, to;
        e.selectionRange(from, to);
        e.replaceText(from, to - from, std::string(1, kObjectChar), {static_cast<std::uint16_t>(id)}, nullptr);
        return 1;
    });
}

int EditorSetPictureProps(HWND hWnd, int id, unsigned flags, int verticalAlign, int aux)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o)
            return 0;
        FontEntry* f = e.fonts.get(id);
        f->style = kObjectStyle | (flags & kLinkText);
        o->verticalAlign = validAlign(verticalAlign);
        o->aux = aux;
        f->userId = aux;
        e.touch();
        return 1;
    });
}

int EditorSetPictureSize(HWND hWnd, int id, int w, int h)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || w == 0 || h == 0 || w < -1 || h < -1 || w > 32768 || h > 32768)
            return 0;
        if (w > 0)
            o->rect.right = o->rect.left + w;
        if (h > 0)
            o->rect.bottom = o->rect.top + h;
        if (o->control) {
            RECT r = o->rect;
            ks::win::findWindow(o->control)->setRect(r);
        }
        return 1;
    });
}

int EditorSetPictureWidthPercent(HWND hWnd, int id, int percent)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || percent <= 0 || percent > 100 || e.width <= 0)
            return 0;
        int oldW = o->rect.right - o->rect.left, oldH = o->rect.bottom - o->rect.top;
        int w = std::max(1, e.width * percent / 100);
        // The height follows the width, keeping the picture's proportions.
        int h = oldW > 0 ? std::max(1, static_cast<int>(static_cast<long long>(oldH) * w / oldW)) : oldH;
        o->rect.right = o->rect.left + w;
        o->rect.bottom = o->rect.top + h;
        return 1;
    });
}

int EditorSetPictureFloat(HWND hWnd, int id, int side, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || side < 0 || side > 2)
            return 0;
        o->floatSide = side;
        return 1;
    });
}

int EditorGetPictAlign(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        return o ? o->floatSide : 0;
    });
}

int EditorPictureFileName(HWND hWnd, int id, int get, char* buffer)
{
    return objectText(hWnd, id, get, buffer, &ObjectData::fileName, kMaxFileName);
}

int EditorPictureAltText(HWND hWnd, int id, int get, char* buffer)
{
    return objectText(hWnd, id, get, buffer, &ObjectData::altText, kMaxAltText);
}

int EditorSavePicturePng(HWND hWnd, int id, int, const char* file, int, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        return o && saveBytes(file, pictureAsPng(*o)) ? 1 : 0;
    });
}

int EditorSavePictureWmf(HWND hWnd, int id, const char* file)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        return o && saveBytes(file, pictureAsWmf(*o)) ? 1 : 0;
    });
}

int EditorStartAnimation(HWND hWnd, int id, int loops, int delay)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        if (!o || o->kind != ObjectData::Kind::Picture || loops < kLoopEndlessly || delay < 0)
            return 0;
        o->loopCount = loops;
        o->frameDelay = delay;
        return 1;
    });
}

int EditorAddAnimationFrame(HWND hWnd, int id, int frame, int delay)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        ObjectData* f = e.object(frame);
        if (!o || !f || frame == id || f->kind != ObjectData::Kind::Picture || delay < 0)
            return 0;
        o->frames.push_back({static_cast<std::uint16_t>(frame), delay});
        return 1;
    });
}

int EditorSetBkPicture(HWND hWnd, int id, int mode, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (id != 0 && !e.object(id))
            return 0;
        e.backgroundPicture = id;
        e.backgroundMode = mode;
        return 1;
    });
}

int EditorInsertControl(HWND hWnd, const char* className, unsigned style, int width, int height, int,
                        int controlId, int)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string cls = str(className);
        if (cls.empty() || width < 0 || height < 0)
            return 0;
        RECT r{0, 0, width / kTwipsPerPixel, height / kTwipsPerPixel};
        HWND child = ks::win::createChildWindow(cls, {}, style | WS_CHILD, r, hWnd, controlId);
        if (!child)
            return 0;
        ObjectData o;
        o.kind = ObjectData::Kind::Control;
        o.rect = r;
        o.control = child;
        o.controlId = controlId;
        o.controlClass = cls;
        o.controlStyle = style;
        int id = e.newObject(std::move(o));
        if (id < 0) {
            DestroyWindow(child);
            return 0;
        }
        return id;
    });
}

int EditorGetObjectField(HWND hWnd, int id)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        ObjectData* o = e.object(id);
        return o && o->kind == ObjectData::Kind::Control ? o->controlId : 0;
    });
}

int EditorFindControlPos(HWND hWnd, int controlId)
{
    return withEditor(hWnd, -1, [&](Editor& e) {
        return findObjectChar(e, [&](int font) {
            ObjectData* o = e.object(font);
            return o && o->kind == ObjectData::Kind::Control && o->controlId == controlId;
        });
    });
}

HWND EditorGetObjectControl(HWND hWnd, int id)
{
    Editor* e = findEditor(hWnd);
    ObjectData* o = e ? e->object(id) : nullptr;
    return o ? o->control : nullptr;
}

}
