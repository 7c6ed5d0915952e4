#pragma once
// libplx32.so, the HTML add-on for editor windows: its exports, C linkage,
// editor window handle first. Results: 1 or a value on success, 0 on failure.
// The editor callback VekCallback is exported too; it is declared in
// addon/core/vek_callback_export.h, apart from the editor's own header.
#include "platform/win/global_memory.h"
#include "platform/win/win_types.h"

#include <cstdint>

extern "C" {

// Set-up and teardown.
int PlxInitialize(HWND hWnd, HWND hostWnd);
int WEP(int ignored);
int PlxLoadControl();
int PlxSetBkColor(std::uint32_t colour);
std::uint32_t PlxSetFlags(HWND hWnd, int on, std::uint32_t bits);
HWND PlxGetTopWin(HWND hWnd);
std::uint32_t PlxGetUsfList(HWND hWnd);
int PlxSetDocTitle(HWND hWnd, const char* text);
int PlxSetTarget(HWND hWnd, const char* text);
int PlxGetTarget(HWND hWnd, char* buffer);   // 301 bytes
int PlxSetActiveWnd(HWND hWnd);
HWND PlxGetActiveWnd(HWND hWnd);
int PlxInViewMode(HWND hWnd);
int PlxSetFrameName(HWND hWnd, const char* text);
int PlxGetFrameName(HWND hWnd, char* buffer);   // 301 bytes
int PlxSetDefaultTarget(HWND hWnd, const char* text);
int PlxModified(HWND hWnd);
int PlxSetReadOnly(HWND hWnd, int on);

// Paragraph and character formatting.
int PlxSetHeader(HWND hWnd, int level, int repaint);
int PlxSetMiscParaType(HWND hWnd, int type, int repaint);
int PlxParaNormal(HWND hWnd, int repaint);
int PlxSetList(HWND hWnd, int type, int level, int part, int repaint);
int PlxSetListEx(HWND hWnd, int type, int level, int part, int numbering, int repaint);
int PlxSetMiscCharType(HWND hWnd, int element, int repaint);
int PlxSetParaSpace(HWND hWnd, int on, int repaint);
int PlxSetTableWidth(HWND hWnd, int width, int flag);
int PlxInsertRule(HWND hWnd, int repaint);
int PlxEditRule(HWND hWnd, int widthPercent, int thicknessPoints, int alignment, int repaint);
int PlxGetParaAttrib(HWND hWnd, int* header, int* listType, int* listLevel, std::uint32_t* word, int* otherType);
int PlxSetNewBkColor(HWND hWnd, std::uint32_t colour, int set);
int PlxSetNewTextColor(HWND hWnd, std::uint32_t colour);
int PlxSetBkPict(HWND hWnd, const char* fileName);

// Font elements (0-19), link appearance and HTML font sizes. Faces take 31 bytes.
int PlxGetFont(HWND hWnd, int element, char* face, int* points, std::uint32_t* style, std::uint32_t* colour,
               std::uint32_t* colour2);
int PlxSetFont(HWND hWnd, int element, const char* face, int points, std::uint32_t style, std::uint32_t colour,
               std::uint32_t colour2, int repaint);
int PlxSetFontDlg(HWND hWnd, int element);   // an element outside 0-19 is asked for first
int PlxGetLinkInfo(HWND hWnd, std::uint32_t* style, std::uint32_t* colour);
int PlxSetLinkInfo(HWND hWnd, std::uint32_t style, std::uint32_t colour);
int PlxSetLinkInfoDlg(HWND hWnd);
// The points of HTML sizes 1 to 7, for all windows; they must rise strictly.
int PlxSetFontSizeTbl(int size1, int size2, int size3, int size4, int size5, int size6, int size7);
int PlxGetFontSize(HWND hWnd, int* relative);
int PlxSetFontSize(HWND hWnd, int size, int relative, int repaint);   // size outside -7..7 or 0: asked for

// Menu commands 12098 to 12179: run one (1 when the id runs something), whether it is
// available at the caret, whether it shows a check mark.
int PlxCommand(HWND hWnd, int id);
int PlxMenuEnable(HWND hWnd, int id);
int PlxMenuSelect(HWND hWnd, int id);

// Dialog procedures (the dialogs of the same names run them).
LRESULT RuleParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT LinkParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT LinkDataParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SelectFontElement(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FontSizeParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SelectLinkAttrib(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PictureParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AddSelectionItem(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SelectFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TextFieldParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FormEditParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FormListParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SetFormParam(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Documents: emptying the window, a new document after the question to save the old one,
// an HTML or RTF file chosen and opened, the document rebuilt through HTML.
int PlxClearWindow(HWND hWnd);
int PlxNewFile(HWND hWnd);
int PlxOpenFile(HWND hWnd);
int PlxReformat(HWND hWnd);
// An RTF document's paragraphs made HTML ones, then rebuilt; option 1: no headers from sizes.
int PlxRtfToHtml(HWND hWnd, const char* pictureBase);
int PlxRtfToHtmlEx(HWND hWnd, const char* pictureBase, int options);

// Documents: writing HTML (mode 0 a file, 1 a block of global memory the caller frees,
// 2 asking for an HTML or RTF file), saving and closing.
int PlxWrite(HWND hWnd, int mode, const char* fileName, HGLOBAL* handle, std::int32_t* length, int selection);
int PlxSave(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length);
int PlxClose(HWND hWnd, int toMemory, const char* fileName, HGLOBAL* handle, std::int32_t* length);

// Reading HTML from a file (fromMemory 0) or a block of global memory (length < 0: up to
// the block's first zero); the caret goes to the named anchor when one is given.
int PlxRead(HWND hWnd, int fromMemory, const char* fileName, HGLOBAL handle, std::int32_t length,
            const char* anchorName);
int PlxPositionName(HWND hWnd, const char* name);

// Links and named anchors. Without text and picture file (or without href, name and
// target) the values come from a dialog. Link data outs take 301 bytes each.
int PlxInsertLink(HWND hWnd, const char* text, const char* pictureFile, const char* href, const char* name,
                  int isMap, int repaint);
int PlxUpdateLink(HWND hWnd, const char* href, const char* name, int repaint);
int PlxUpdateLinkEx(HWND hWnd, const char* href, const char* name, const char* target, int repaint);
int PlxGetLinkData(HWND hWnd, char* href, char* name);
int PlxGetLinkDataEx(HWND hWnd, char* href, char* name, char* target);

// The tag-data table and the host's user tags. Text outs receive whole copies.
int PlxGetTagData(HWND hWnd, int type, int id, int start, std::int32_t* value1, std::int32_t* value2, char* text1,
                  char* text2);
int PlxSetUserTag(HWND hWnd, int id, const char* text);
int PlxGetUserTag(HWND hWnd, int id, char* text);
int PlxLparam2String(const char* source, char* destination);
int PlxString2Lparam(const char* source, char* destination);

// Pictures: inserted at the caret (without a file name the values come from a dialog;
// alignment 0 bottom, 1 middle, 2 top, 3 float left, 4 float right), refilled from a file
// of type 1 bitmap, 2 GIF, 3 metafile, 4 TIFF, 5 JPEG, and given a client-side map.
int PlxInsertPicture(HWND hWnd, const char* fileName, int alignment, int isMap, int imageField, int repaint);
int PlxSetPicture(HWND hWnd, int picture, int type, const char* fileName);
int PlxSetPictUseMap(HWND hWnd, int picture, const char* mapName);

// Form fields inserted at the caret (without a name the values come from a dialog); the
// result is the new field's control id. Field types as the reader keeps them: 0 text line,
// 1 radio button, 2 submit, 3 reset, 4 text area, 5 check box, 7 password.
int PlxInsertTextField(HWND hWnd, const char* name, int type, int columns, int maxLength, int rows,
                       const char* value, int repaint);
int PlxInsertButtonField(HWND hWnd, const char* name, int type, int checked, const char* text, int repaint);
int PlxInsertSelectField(HWND hWnd, const char* name, int multiple, int visibleItems, int repaint);
// A selection list's options (control id -1: the field at the caret).
int PlxAddSelectionItem(HWND hWnd, int controlId, const char* text, const char* value, int selected, int insert);
int PlxDelSelectionItem(HWND hWnd, int controlId);
// Forms: the selected paragraphs made (or no longer) form text, the caret's form block given
// to a form (-1: asked for), a form made or changed (its index, or -1).
int PlxSetForm(HWND hWnd, int on, int repaint);
int PlxSetFormId(HWND hWnd, int form);
int PlxEditFormId(HWND hWnd, int isNew, int form, int method, const char* action, int dialog);

// What the user entered in the document's forms.
int PlxGetCurForm(HWND hWnd, int* formCount);
int PlxGetFormInfo(HWND hWnd, int form, char* action, char* method);   // 100 and 5 bytes
int PlxGetFieldData(HWND hWnd, int form, int n, char* name, int* checked, char* value, int valueSize);
// The window procedure of every field control: Tab and Shift+Tab move between the fields,
// Enter in a text line is told to the editor callback.
LRESULT SubclassEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

}
