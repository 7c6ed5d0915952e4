#pragma once
// State the library keeps once for the process: the table of initialised
// windows, the default background, the HTML font size table and the shared
// text buffers that exports hand back.
#include "addon/base/html_ctx.h"

#include <array>
#include <string>
#include <string_view>

namespace ks::addon {

inline constexpr int kWindowTableSize = 200;
inline constexpr int kScratchSize = 300;

struct PlxModule {
    std::array<HWND, kWindowTableSize> windows{};
    int windowCount = 0;                 // slots in use or freed, 0..200
    COLORREF defaultBkColor = 0;         // 0 until PlxSetBkColor
    std::array<int, 7> fontSizes{8, 10, 11, 14, 17, 24, 36};   // HTML sizes 1..7, points
    bool multiByte = false;              // the library's text is single-byte Windows-1252
    char scratch[kScratchSize + 1]{};    // valid until the next call that uses it
    std::string linkBuffer;              // the text of the last clicked link, whole
};

PlxModule& plxModule();

// Enters the window in the first free slot (or a new one below 200); a window
// already entered keeps its slot. False when the table is full.
bool enterWindow(HWND window);
void removeWindow(HWND window);
bool windowEntered(HWND window);

// Copies text (null: empty) into a context text of kCtxTextSize bytes, cut to fit.
void copyCtxText(char* destination, const char* text, int size = kCtxTextSize);

// Copies a title with its kept references into the context's title: cut to fit where it cuts
// no reference in two, and with no blank at its end, which the title read back would lose.
void copyCtxTitle(char* destination, std::string_view kept);

}
