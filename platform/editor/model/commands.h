#pragma once
// Editor commands (the command message to the editor window) and speed keys.
#include "platform/editor/model/editor.h"

namespace ks::editor {

// Window style bit: read-only from creation.
constexpr unsigned kStyleReadOnly = 0x200;

// Command numbers and what they do here.
constexpr int kCmdSetUp = 710;           // add-on set-up: links become clickable
constexpr int kCmdPageBreak = 628;       // inserts a page-break paragraph at the caret
constexpr int kCmdSelectAll = 629;
constexpr int kCmdLineBreak = 654;       // inserts a forced line break at the caret
constexpr int kCmdRuler = 686;           // shows or hides the ruler (a view option; toggles)
constexpr int kCmdToolbar = 692;         // shows or hides the toolbar (a view option; toggles)
constexpr int kCmdParagraphMarks = 717;  // shows or hides paragraph marks (toggles, checkable)

// Query result bits.
constexpr int kCommandAvailable = 1;
constexpr int kCommandChecked = 8;

// Runs a command; 0 for an unknown or unavailable one.
int runCommand(Editor& e, int command);
int queryCommand(Editor& e, int command);

}
