#pragma once
// One editor window's state: its document, font/object table, formats, tables,
// caret and selection, modes, and its bindings to the add-on and the host. The
// C API (vek32.h) works on it; the Qt view, later, paints and feeds it.
#include "platform/editor/model/document.h"
#include "platform/editor/model/font_table.h"
#include "platform/editor/vek32_info.h"
#include "platform/editor/model/para_formats.h"
#include "platform/editor/model/tables.h"
#include "platform/editor/model/view_hooks.h"
#include "platform/win/window_handle.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace ks::editor {

using Callback = WNDPROC;

// Mode bits with a meaning in the model (others are stored only).
constexpr std::uint32_t kModeHiddenProtected = 0x4000000;  // word 1: hidden runs are not deleted
constexpr std::uint32_t kModeLinkClicks = 0x8000;          // word 1: link clicks raise 0xAA6
constexpr std::uint32_t kModeLoading = 0x200;              // word 1: no repaint (the view's concern)
constexpr std::uint32_t kMode2Bulk = 0x10000;              // word 2: bulk append, no change events

// Events the editor raises (to the add-on callback when there is one, else the host).
constexpr UINT kEventDestroy = 0xAA4;
constexpr UINT kEventLinkClick = 0xAA6;
constexpr UINT kEventFocus = 0xAAC;
constexpr UINT kEventPictureNeeded = 0xAAD;
constexpr UINT kEventResized = 0xAAE;
constexpr UINT kEventPictureMade = 0xAAF;
constexpr UINT kEventChanged = 0xAB0;

struct Position {
    std::size_t line = 0, col = 0;
};

class Editor {
public:
    explicit Editor(HWND self);
    Editor(const Editor&) = delete;   // the document reports its changes to this editor
    Editor& operator=(const Editor&) = delete;

    HWND self;
    Document doc;
    FontTable fonts;
    ParaFormats formats;
    ListFormats lists;
    TableStore tables;

    Position caret, anchor;      // a selection is anchor..caret
    int typingFont = -1;         // -1: the font of the character at the caret
    int pendingFontTag = 0;
    int pendingRuleWord = 0;
    int pendingReplace = 0;      // object id the next picture creation refills
    std::uint32_t mode1 = 0, mode2 = 0;
    bool readOnly = false;
    bool modified = false;
    int viewState = 0;
    std::map<int, int> options;  // EditorSetOption
    EditorInfo settings;         // the writable words of the record
    std::uint32_t textColour = 0;
    int backgroundPicture = 0;
    int backgroundMode = 0;
    int width = 0, height = 0;
    int mouseX = 0, mouseY = 0;
    bool clipChildren = false;
    int relayouts = 0;           // how often layout was recomputed (repaint requests)
    std::set<int> checkedCommands;
    std::set<int> disabledSpeedKeys;
    std::vector<std::string> fieldNames;   // merge fields, by font field number - 1

    std::vector<unsigned char> addonData;
    bool hasAddonData = false;
    Callback addonCallback = nullptr;
    Callback hostCallback = nullptr;
    HWND hostWindow = nullptr;
    ViewHooks* view = nullptr;   // the Qt view showing this window, if any

    // The document starts again: text, fonts, formats, tables and objects.
    void resetDocument();
    EditorInfo info();
    // Sends an event to the add-on callback, else the host.
    LRESULT raise(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT notifyHost(UINT message, WPARAM wParam, LPARAM lParam);
    // Marks the document edited and tells the host, unless a load is running.
    void touch();
    // Counts a repaint request and passes it to the view.
    void requestRepaint();
    // Only a bulk append or a file being read silences change events: the container keeps
    // word-1 bit 0x200 set for good and still needs to hear of every edit.
    bool loading() const { return reading || (mode2 & kMode2Bulk); }
    bool reading = false;

    // Positions.
    bool hasSelection() const { return anchor.line != caret.line || anchor.col != caret.col; }
    std::uint64_t posOf(Position p);
    Position positionOf(std::uint64_t pos);
    void setCaret(std::uint64_t pos);
    void selectionRange(std::uint64_t& from, std::uint64_t& to);
    // Paragraph indices the selection (or the caret) touches.
    void selectedParagraphs(std::size_t& first, std::size_t& last);
    int fontAtCaret();
    // Style bits of the character at pos (0 past the end).
    std::uint32_t styleAt(std::uint64_t pos);
    // The hidden run at the caret, or the one right before the link text holding it.
    bool hiddenRunAtCaret(std::string& text, Position& start);
    // Destroys the windows of embedded controls.
    void destroyControls();
    int currentTypingFont();
    // Applies an edit at [pos, pos+erase) and keeps the caret where the text it was on went.
    void replaceText(std::uint64_t pos, std::uint64_t erase, const std::string& chars,
                     const std::vector<std::uint16_t>& fonts, const ParaMeta* meta);

    // Fonts.
    int deriveFont(int base, std::uint32_t styleBits, bool on);
    const ParaFormat& formatOf(std::size_t para);
    int formatIdOf(std::size_t para);
    void setParaFormat(std::size_t para, int format);
    int fieldNumber(const std::string& name);

    // Objects.
    ObjectData* object(int id);
    // The new object's id; -1 when the table is full or a picture would take the
    // document past its pixel budget.
    int newObject(ObjectData data, std::uint32_t extraStyle = 0);
};

// The editor behind a handle, or null for a handle that is no editor window.
Editor* findEditor(HWND window);
// Makes an editor window ("Vek32Class"); null when parent is given but unknown.
HWND createEditorWindow(HWND parent, const std::string& title, unsigned style, int x, int y, int w, int h);

// Converts "\r\n" (and a lone "\r" or "\n") to paragraph marks.
std::string toStream(const std::string& text);

}
