#include "addon/core/plx_module.h"

#include "addon/base/text_utils.h"
#include "addon/convert/html_entities.h"

#include <algorithm>
#include <cstring>

namespace ks::addon {

PlxModule& plxModule()
{
    static PlxModule module;
    return module;
}

bool windowEntered(HWND window)
{
    auto& m = plxModule();
    return window && std::find(m.windows.begin(), m.windows.begin() + m.windowCount, window) !=
                         m.windows.begin() + m.windowCount;
}

bool enterWindow(HWND window)
{
    auto& m = plxModule();
    if (!window || windowEntered(window))
        return window != nullptr;
    for (int i = 0; i < m.windowCount; ++i)
        if (!m.windows[i])
            return m.windows[i] = window, true;
    if (m.windowCount >= kWindowTableSize)
        return false;
    m.windows[m.windowCount++] = window;
    return true;
}

void removeWindow(HWND window)
{
    auto& m = plxModule();
    for (int i = 0; i < m.windowCount; ++i)
        if (window && m.windows[i] == window)
            m.windows[i] = nullptr;
}

void copyCtxText(char* destination, const char* text, int size)
{
    std::size_t n = text ? std::min<std::size_t>(std::strlen(text), size - 1) : 0;
    if (n)
        std::memmove(destination, text, n);
    destination[n] = 0;
}

void copyCtxTitle(char* destination, std::string_view kept)
{
    std::size_t n = KeptTextCut(kept, kCtxNameSize - 1);
    std::memmove(destination, kept.data(), n);
    destination[n] = 0;
    TrimRight(destination);
}

}
