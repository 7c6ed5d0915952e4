// Exports: closing, repainting, path helper, merge fields.
#include "platform/editor/model/api_support.h"
#include "platform/editor/model/merge_fields.h"

using namespace ks::editor;

extern "C" {

int EditorCloseDocument(HWND hWnd, int)
{
    return findEditor(hWnd) && DestroyWindow(hWnd) ? 1 : 0;
}

int EditorRepaint(HWND hWnd, int)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.doc.relayout(), e.requestRepaint(), 1; });
}

int EditorRepaintParas(HWND hWnd, int)
{
    return withEditor(hWnd, 0, [](Editor& e) { return e.doc.relayout(), e.requestRepaint(), 1; });
}

const char* EditorGetPathDir(const char* path)
{
    thread_local std::string folder;
    folder = str(path);
    auto cut = folder.find_last_of("\\/:");
    folder = cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
    return folder.c_str();
}

int EditorFillMergeField(HWND hWnd, const char* name, const char* value)
{
    return withEditor(hWnd, 0, [&](Editor& e) { return fillMergeField(e, str(name), str(value)); });
}

int VekFillMergeField(HWND hWnd, const char* name, const char* value, int*)
{
    return EditorFillMergeField(hWnd, name, value);
}

}
