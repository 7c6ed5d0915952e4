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
constexpr unsigned BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_CHECKBOX = 0x2, BS_AUTOCHECKBOX = 0x3,
                   BS_RADIOBUTTON = 0x4, BS_GROUPBOX = 0x7,
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

// Edits: the selection, replacing it, the text limit, the password mask; the style bits.
constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_REPLACESEL = 0x00C2, EM_LIMITTEXT = 0x00C5,
               EM_SETPASSWORDCHAR = 0x00CC, EM_GETPASSWORDCHAR = 0x00D2, EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EN_MAXTEXT = 0x0501;
constexpr unsigned ES_MULTILINE = 0x0004, ES_PASSWORD = 0x0020, ES_READONLY = 0x0800;

// Typed characters, and the keys whose state a window asks for.
constexpr UINT WM_CHAR = 0x0102;
constexpr int VK_SHIFT = 0x10, VK_CONTROL = 0x11;

// List boxes beyond the dialog's needs: inserting, deleting, emptying, the selection of each item.
constexpr UINT LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182, LB_RESETCONTENT = 0x0184, LB_SETSEL = 0x0185,
               LB_GETSEL = 0x0187, LB_GETSELCOUNT = 0x0190;
constexpr unsigned LBS_MULTIPLESEL = 0x0008;

// Combo boxes.
constexpr UINT CB_ADDSTRING = 0x0143, CB_DELETESTRING = 0x0144, CB_GETCOUNT = 0x0146, CB_GETCURSEL = 0x0147,
               CB_GETLBTEXT = 0x0148, CB_GETLBTEXTLEN = 0x0149, CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B,
               CB_SETCURSEL = 0x014E, CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151, CB_SETITEMHEIGHT = 0x0153,
               CB_GETITEMHEIGHT = 0x0154;
constexpr LRESULT CB_ERR = -1;
constexpr UINT CBN_SELCHANGE = 1, CBN_DBLCLK = 2;

// Subclassing: a window's procedure.
constexpr int GWLP_WNDPROC = -4;
