#pragma once
// Dialogs SELECTFONTELEMENT ("Select Font Element"), FONTSIZEPARAM ("Font Size
// Selection") and SELECTLINKATTRIB ("Select Link Attributes"). The element dialog
// ends with the chosen element (-1 for Cancel); the other two take and give their
// values through the context's dialog exchange values.
#include "platform/win/win_types.h"

namespace ks::addon {

enum FontDialogItem : int {
    kElementList = 700, kLinkBold = 701, kLinkUnderline = 702, kLinkItalic = 703, kLinkStrike = 704,
    kLinkColourButton = 710, kFontSizeEdit = 765, kFontSizeRelativeCheck = 766,
};
// Exchange value indexes.
inline constexpr int kFontSizeValue = 0, kFontSizeRelative = 1;
inline constexpr int kLinkAttribStyle = 0, kLinkAttribColour = 1;

}

extern "C" {
LRESULT SelectFontElement(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FontSizeParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SelectLinkAttrib(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}
