#pragma once
// Texts between the controls (8-bit Windows-1252, as the libraries that fill them write
// it: curly quotes, dashes and the euro sign sit in 0x80-0x9F) and their Qt widgets.
#include "platform/ui/cp1252_text.h"
#include "platform/win/window_handle.h"

#include <QStringList>

#include <algorithm>
#include <string>

namespace ks::win {

inline QString qtText(const std::string& text) { return ui::fromCp1252(text); }
inline std::string libraryText(const QString& text) { return ui::toCp1252(text, ui::LineEnds::AsTheyAre).bytes; }

// The entries of a list or combo box, read with its count, length and text messages.
inline QStringList controlEntries(HWND control, UINT count, UINT length, UINT get)
{
    QStringList all;
    LRESULT n = SendMessage(control, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::string text(std::size_t(std::max<LRESULT>(0, SendMessage(control, length, WPARAM(i), 0))) + 1, '\0');
        SendMessage(control, get, WPARAM(i), reinterpret_cast<LPARAM>(text.data()));
        all << qtText(text.c_str());
    }
    return all;
}

}
