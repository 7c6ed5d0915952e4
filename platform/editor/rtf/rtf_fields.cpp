// Field instructions (merge fields, linked pictures) and our own embedded controls,
// read when their destination closes.
#include "platform/editor/model/picture_files.h"
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"
#include "platform/editor/vek32.h"
#include "platform/files/files.h"
#include "platform/win/global_memory.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace ks::editor::rtf {
namespace {

// The first word of a field instruction and its argument, quotes removed.
void splitInstruction(const std::string& text, std::string& kind, std::string& argument)
{
    std::size_t i = text.find_first_not_of(' ');
    std::size_t j = text.find(' ', i == std::string::npos ? 0 : i);
    kind = i == std::string::npos ? "" : text.substr(i, j - i);
    for (char& c : kind)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    argument.clear();
    if (j == std::string::npos)
        return;
    std::size_t a = text.find_first_not_of(' ', j);
    if (a == std::string::npos)
        return;
    if (text[a] == '"') {
        std::size_t b = text.find('"', a + 1);
        argument = text.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
    } else {
        argument = text.substr(a, text.find(' ', a) - a);
    }
}

bool endsWith(std::string s, const char* tail)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

}

void RtfParser::finishFieldInstruction(Group& field)
{
    std::string kind, argument;
    splitInstruction(destText_, kind, argument);
    if (kind == "MERGEFIELD" && !argument.empty()) {
        field.fieldInstruction = argument;
        return;
    }
    if (kind != "INCLUDEPICTURE" || argument.empty())
        return;
    std::string path = argument.front() == '/' || folder_.empty() ? argument : folder_ + argument;
    int id = 0;
    using F = ObjectData::Format;
    F format = endsWith(path, ".png") ? F::Png : endsWith(path, ".bmp") ? F::Bmp : endsWith(path, ".wmf") ? F::Wmf : F::None;
    std::string bytes;
    int w, h;
    if (format != F::None) {
        if (ks::files::readFile(path, bytes) && probePicture(format, bytes, w, h)) {
            ObjectData o;
            o.format = format;
            o.data = std::move(bytes);
            o.rect = {0, 0, w, h};
            o.fileName = argument;
            id = e_.newObject(std::move(o));
        }
    } else {
        // A picture kind the editor cannot decode: the add-on may hand back a DIB.
        auto block = reinterpret_cast<HGLOBAL>(e_.raise(kEventPictureNeeded, 0, reinterpret_cast<LPARAM>(path.c_str())));
        if (const char* dib = block ? static_cast<const char*>(GlobalLock(block)) : nullptr) {
            bytes.assign(dib, GlobalSize(block));
            GlobalUnlock(block);
            GlobalFree(block);
            if (probePicture(F::Dib, bytes, w, h)) {
                ObjectData o;
                o.format = F::Dib;
                o.data = std::move(bytes);
                o.rect = {0, 0, w, h};
                o.fileName = argument;
                id = e_.newObject(std::move(o));
                if (id > 0)
                    e_.raise(kEventPictureMade, 0, id);
            }
        }
    }
    if (id > 0) {
        placeObject(id);
        field.skipResult = true;
    }
}

void RtfParser::finishControl(const std::string& description)
{
    char className[64] = {};
    unsigned style = 0;
    int w = 0, h = 0, controlId = 0;
    if (std::sscanf(description.c_str(), "%63s %u %d %d %d", className, &style, &w, &h, &controlId) != 5)
        return;
    int id = EditorInsertControl(e_.self, className, style, w * kTwipsPerPixel, h * kTwipsPerPixel, 1, controlId, 0);
    if (id > 0)
        placeObject(id);
}

}
