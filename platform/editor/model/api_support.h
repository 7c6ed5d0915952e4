#pragma once
// Shared by the export files: find the editor behind a handle or fail softly.
#include "platform/editor/model/editor.h"
#include "platform/editor/vek32.h"

#include <cstring>
#include <string>

namespace ks::editor {

template <class R, class Body>
R withEditor(HWND hWnd, R fail, Body&& body)
{
    Editor* e = findEditor(hWnd);
    return e ? static_cast<R>(body(*e)) : fail;
}

template <class T>
void put(T* out, T value)
{
    if (out)
        *out = value;
}

inline std::string str(const char* s) { return s ? s : ""; }

// Copies text into a caller's buffer of size bytes, NUL included.
inline void copyOut(char* buffer, const std::string& text, std::size_t size)
{
    if (!buffer || size == 0)
        return;
    std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
}

}
