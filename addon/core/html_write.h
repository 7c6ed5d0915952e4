#pragma once
// Writing an editor window's document as HTML (PlxWrite), and the host's save and
// close built on it (PlxSave, PlxClose).
#include "addon/base/html_ctx.h"
#include "platform/win/global_memory.h"

#include <cstdint>

namespace ks::addon {

enum WriteMode : int { kWriteFile = 0, kWriteMemory = 1, kWriteAsk = 2 };

// Asked before a modified document's edits are written to its file or dropped.
inline constexpr char kSaveQuestion[] = "File Modified. Do You Wish to Save the Modifications?";

// The file dialogs' choice of format: filter 1 HTML, 2 RTF.
inline constexpr char kDocumentFilter[] = "HTML Format(*.HTM)|*.HTM|Rich Text Format(*.RTF)|*.RTF|";
inline constexpr int kRtfFilter = 2;

// mode 0 writes the named file (whole, or the old one stays), 1 a new block of global
// memory handed back through handle and length (the caller frees it), 2 asks for an HTML
// or RTF file first. selection: only the selected block. 1 on success, 0 otherwise.
int HtmlWrite(HWND hWnd, int mode, const char* fileName, HGLOBAL* handle, std::int32_t* length, int selection);
int HtmlSave(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length);
int HtmlClose(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length);

// The common open or save dialog over the editor window: "|" in filter separates
// descriptions and patterns; name (128 bytes) takes the chosen file. The 1-based filter
// chosen, 0 when cancelled.
int SelectFileName(HtmlCtx& ctx, bool open, char* name, const char* defaultExtension, const char* filter);

}
