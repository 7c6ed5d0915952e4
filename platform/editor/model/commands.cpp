#include "platform/editor/model/commands.h"

namespace ks::editor {
namespace {

bool known(int c)
{
    return c == kCmdSetUp || c == kCmdPageBreak || c == kCmdSelectAll || c == kCmdLineBreak ||
           c == kCmdRuler || c == kCmdToolbar || c == kCmdParagraphMarks;
}

bool edits(int c) { return c == kCmdPageBreak || c == kCmdLineBreak; }

void insertAtCaret(Editor& e, const std::string& chars)
{
    std::uint64_t from, to;
    e.selectionRange(from, to);
    std::vector<std::uint16_t> fonts(chars.size(), static_cast<std::uint16_t>(e.currentTypingFont()));
    e.replaceText(from, to - from, chars, fonts, nullptr);
}

}

int queryCommand(Editor& e, int command)
{
    if (!known(command) || (edits(command) && e.readOnly))
        return 0;
    if (command == kCmdSelectAll && e.doc.length() == 0)
        return 0;
    return kCommandAvailable | (e.checkedCommands.count(command) ? kCommandChecked : 0);
}

int runCommand(Editor& e, int command)
{
    if (!(queryCommand(e, command) & kCommandAvailable))
        return 0;
    switch (command) {
    case kCmdSetUp:
        e.mode1 |= kModeLinkClicks;
        break;
    case kCmdSelectAll:
        e.anchor = {};
        e.caret = e.positionOf(e.doc.length());
        break;
    case kCmdPageBreak:
        insertAtCaret(e, std::string{kParaMark, kPageBreak, kParaMark});
        break;
    case kCmdLineBreak:
        insertAtCaret(e, std::string(1, kLineBreak));
        break;
    default:
        if (!e.checkedCommands.erase(command))
            e.checkedCommands.insert(command);
        if (e.view)
            e.view->optionsChanged();
    }
    return 1;
}

}
