#pragma once
// Messages, notifications and style bits of the standard child controls and of
// dialog boxes, as the libraries spell them.
#include "platform/win/win_types.h"

using LONG_PTR = std::intptr_t;

constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) { return WPARAM((low & 0xFFFF) | ((high & 0xFFFF) << 16)); }
constexpr unsigned LOWORD(std::uintptr_t value) { return unsigned(value & 0xFFFF); }
constexpr unsigned HIWORD(std::uintptr_t value) { return unsigned((value >> 16) & 0xFFFF); }

// Dialog boxes.
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_SETFONT = 0x0030;   // wParam the font, 0 the system font; lParam non-zero redraws

// Buttons: messages, the click notification, and the kinds in the style's low nibble.
constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_CLICK = 0x00F5;
constexpr UINT BN_CLICKED = 0;
constexpr WPARAM BST_UNCHECKED = 0, BST_CHECKED = 1;
constexpr unsigned BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_AUTOCHECKBOX = 0x3, BS_GROUPBOX = 0x7,
                   BS_AUTORADIOBUTTON = 0x9, BS_TYPEMASK = 0xF;

// Edits.
constexpr UINT EN_CHANGE = 0x0300;
constexpr unsigned ES_AUTOHSCROLL = 0x0080, ES_NUMBER = 0x2000;

// List boxes.
constexpr UINT LB_ADDSTRING = 0x0180, LB_SETCURSEL = 0x0186, LB_GETCURSEL = 0x0188, LB_GETTEXT = 0x0189,
               LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B, LB_GETITEMDATA = 0x0199, LB_SETITEMDATA = 0x019A;
constexpr LRESULT LB_ERR = -1, LB_ERRSPACE = -2;
constexpr UINT LBN_SELCHANGE = 1, LBN_DBLCLK = 2;
constexpr unsigned LBS_NOTIFY = 0x0001;

// Window style bits of controls in a dialog.
constexpr unsigned WS_TABSTOP = 0x00010000, WS_GROUP = 0x00020000, WS_DISABLED = 0x08000000;

// Window data indexes (SetWindowLongPtr): the window's own value, and a dialog's.
constexpr int GWLP_USERDATA = -21;
constexpr int DWLP_MSGRESULT = 0, DWLP_USER = 16;
