#pragma once
// The one table of fonts and objects. Text fonts and objects (pictures, embedded
// controls) share the id space so that an object character's font id names its
// object; ids stay stable for the life of a document.
#include "platform/editor/model/picture_bytes.h"
#include "platform/editor/vek32_codes.h"
#include "platform/win/win_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ks::editor {

struct Frame {
    std::uint16_t object = 0;   // an unplaced picture owned by the animated one
    int delay = 0;              // hundredths of a second
};

struct ObjectData {
    enum class Kind { Picture, Control };
    Kind kind = Kind::Picture;
    int aux = 0;                 // read back as the user id: 0 plain, 1 image map, n+2 image field n
    RECT rect;                   // client pixels; the size is what counts
    int verticalAlign = kAlignBottom;
    int floatSide = kFloatNone;
    std::string fileName;
    // Picture bytes: a PNG/BMP/WMF file's bytes, or a packed DIB / metafile from a memory block.
    // None with no bytes: a placeholder for a picture whose file could not be had.
    enum class Format { None, Png, Bmp, Dib, Wmf } format = Format::None;
    PictureBytes data;
    std::string altText;         // what a reader is shown in place of the picture
    std::vector<Frame> frames;
    int loopCount = 0;
    int frameDelay = 0;
    // Embedded control.
    HWND control = nullptr;
    int controlId = 0;
    std::string controlClass;
    unsigned controlStyle = 0;
};

struct FontEntry {
    std::string face;            // at most 31 characters
    int points = 10;
    std::uint32_t style = 0;     // kObjectStyle (+kLinkText) for objects
    std::uint32_t colour = kAutoColour;
    std::uint32_t colour2 = kNoColour;
    int userId = 0;
    int tag = 0;                 // HTML size tag, kept unchanged for the add-on
    int field = 0;               // merge-field number (1-based), 0 for plain text
    std::optional<ObjectData> object;

    bool isObject() const { return (style & kObjectStyle) != 0; }
    bool sameText(const FontEntry& other) const;
};

class FontTable {
public:
    static constexpr int kMaxFonts = 0xFFFF;

    FontTable() { reset(); }
    // Back to font 0 alone.
    void reset(const std::string& defaultFace = "Arial", int defaultPoints = 10);
    int count() const { return static_cast<int>(entries_.size()); }
    bool valid(int id) const { return id >= 0 && id < count() && used_[id]; }
    const FontEntry* get(int id) const { return valid(id) ? &entries_[id] : nullptr; }
    // For changing an object's data in place; a text font's look changes through set(),
    // which keeps the look index right. Counts as a change (see revision()).
    FontEntry* get(int id)
    {
        if (!valid(id))
            return nullptr;
        ++revision_;
        return &entries_[id];
    }
    // Grows with every change that may have been made, so a view knows when to look again.
    std::uint64_t revision() const { return revision_; }
    // Defines or redefines entry id, growing the table with unused entries; -1 past the limit.
    int set(int id, FontEntry entry);
    // The first equal text font's id, or a new one; -1 when the table is full. Found by a
    // hash of the look: a page of many differently formatted runs would otherwise take
    // quadratic time.
    int share(const FontEntry& entry);
    int append(FontEntry entry);

private:
    void index(int id);
    void unindex(int id);

    std::vector<FontEntry> entries_;
    std::vector<bool> used_;
    std::unordered_multimap<std::size_t, int> byLook_;   // text fonts by lookHash
    std::uint64_t revision_ = 0;
};

// Cuts a face name to the 31 characters an entry keeps.
std::string clampFace(const std::string& face);

}
