#pragma once
// What the model asks of a view attached to an editor window. The Qt view
// implements it; without one the model answers with its headless metrics.
#include <cstdint>

namespace ks::editor {

struct TextChange;

class ViewHooks {
public:
    virtual ~ViewHooks() = default;
    // The window point (client pixels) of a text position's top-left; false when it has none.
    virtual bool pointOf(std::uint64_t pos, int& x, int& y) = 0;
    // The document changed behind the view's back, or a caller asked for a repaint.
    virtual void repaint() = 0;
    // Paragraphs of the text changed (told as each change is made, before the model has
    // cut its lines again: the view notes it and lays out later).
    virtual void textChanged(const TextChange& change) = 0;
    // The caret moved and should be brought into sight.
    virtual void showCaret() = 0;
    // A view option changed (toolbar, ruler, paragraph marks).
    virtual void optionsChanged() = 0;
    // EditorMoveWindow: the window's place in its parent, client pixels.
    virtual void moved(int x, int y, int width, int height) = 0;
    // An editor window was made inside this one (a frame): the view shows it as a child view.
    virtual void childCreated(void* child) = 0;
    // The window is being destroyed; the view lets go of it.
    virtual void windowGone() = 0;
};

}
