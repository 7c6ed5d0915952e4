// Exports: loading and saving documents as RTF.
#include "platform/editor/model/api_support.h"
#include "platform/editor/rtf/rtf_reader.h"
#include "platform/editor/rtf/rtf_writer.h"
#include "platform/files/files.h"
#include "platform/win/global_memory.h"

using namespace ks::editor;

namespace {

std::string folderOf(const std::string& path)
{
    auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// 1 loaded, 2 loaded from a damaged file, 0 nothing loaded (the document is unchanged).
int load(Editor& e, const std::string& bytes, const std::string& folder)
{
    e.reading = true;
    rtf::ReadResult r = rtf::readRtf(e, bytes, folder);
    e.reading = false;
    if (r == rtf::ReadResult::NotRtf)
        return 0;
    e.modified = false;
    return r == rtf::ReadResult::Loaded ? 1 : 2;
}

int openFile(HWND hWnd, const char* file)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        std::string bytes;
        if (!ks::files::readFile(str(file), bytes))
            return 0;
        return load(e, bytes, folderOf(str(file)));
    });
}

int saveFile(HWND hWnd, const char* file)
{
    return withEditor(hWnd, 0, [&](Editor& e) {
        if (!ks::files::saveFile(str(file), rtf::writeRtf(e)))
            return 0;
        e.modified = false;
        return 1;
    });
}

}

extern "C" {

int EditorLoadBuffer(HWND hWnd, HGLOBAL block, int, int, int)
{
    Editor* e = findEditor(hWnd);
    const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (!e || !bytes) {
        GlobalFree(block);
        return 0;
    }
    std::string text(bytes, strnlen(bytes, GlobalSize(block)));
    GlobalUnlock(block);
    GlobalFree(block);   // the block is ours now
    if (rtf::looksLikeRtf(text))
        return load(*e, text, {});
    rtf::readPlainText(*e, text);
    e->modified = false;
    return 1;
}

int EditorOpenRtf(HWND hWnd, const char* file) { return openFile(hWnd, file); }

int EditorSaveRtf(HWND hWnd, int mode)
{
    return withEditor(hWnd, 0, [&](Editor&) { return mode == 3 ? 1 : 0; });
}

int EditorSaveRtfEnd(HWND hWnd, const char* file) { return saveFile(hWnd, file); }

int SaveVekFile(HWND hWnd, const char* path) { return saveFile(hWnd, path); }

int VekLoadFile(HWND hWnd, const char* path) { return openFile(hWnd, path); }

}
