#pragma once
// Dialog templates in place of resources: each dialog is a table of its
// controls, with id, kind, caption and place in dialog units (a quarter of the
// average character width across, an eighth of the character height down).
// A library registers its templates by name; dialog boxes are made from them.
#include <string>
#include <vector>

namespace ks::win {

enum class ControlKind {
    Label,        // static text
    Edit,         // one line of text
    NumberEdit,   // one line of digits
    PushButton,
    DefaultButton,   // pressed by Enter
    CheckBox,     // checks itself when clicked
    RadioButton,  // checks itself and unchecks the others of its group
    GroupBox,     // a frame with a caption around other controls
    ListBox,      // one choice, notifies its dialog of clicks and double clicks
};

struct DialogControl {
    ControlKind kind = ControlKind::Label;
    int id = -1;              // -1: a label or frame nobody asks for
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;
    bool groupStart = false;  // the first radio button of a group
};

struct DialogTemplate {
    std::string name;         // as callers ask for it; compared without regard to case
    std::string title;
    int width = 0, height = 0;
    std::vector<DialogControl> controls;
};

// Keeps the template (a later one of the same name replaces it); returns it for static set-up.
const DialogTemplate& registerDialogTemplate(DialogTemplate dialogTemplate);
// Null when no template has the name.
const DialogTemplate* findDialogTemplate(const std::string& name);

}
