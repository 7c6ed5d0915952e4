// The main window's diagram view: one diagram per tab of the tab strip, its
// nodes tied to the document's groups and levels through their tags.
#include "container/frm_main.h"

#include "common/dialogs.h"
#include "container/diagram_tags.h"
#include "container/document_state.h"
#include "container/notes_pane.h"
#include "container/tab_strip.h"
#include "platform/controls/keyed_menu.h"
#include "platform/diagram/diagram_control.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QStringList>

namespace ks::container {

using diagram::DiagramControl;

namespace {

// The keys of the members whose names are in the comma list, joined by ",";
// each name gives the key of the first member so named.
template <class List, class Name>
QString keysForNames(const List& list, const QString& names, Name nameOf)
{
    QStringList keys;
    for (const QString& name : names.split(QLatin1Char(','))) {
        if (name.isEmpty())
            continue;
        for (const auto& member : list)
            if (nameOf(*member) == name) {
                keys << member->Key;
                break;
            }
    }
    return keys.join(QLatin1Char(','));
}

// The names of the members the user selected, as a comma list.
template <class List, class Name>
QString selectedNames(const List& list, Name nameOf)
{
    QStringList names;
    for (const auto& member : list)
        if (member->Selected)
            names << nameOf(*member);
    return names.join(QLatin1Char(','));
}

clsfrmMain& documentOf(const std::unique_ptr<clsfrmMain>& settings)
{
    if (!settings)
        throw RuntimeError(91, "Object variable or With block variable not set");
    return *settings;
}

// The document keeps colours as 0xBBGGRR in a signed number.
quint32 levelColour(qint32 color) { return quint32(color) & 0xFFFFFF; }

template <class Item>
void invertStyle(Item& item, const QString& key)
{
    QFont font = item.Font();
    if (key == "BOLD")
        font.setBold(!font.bold());
    else if (key == "ITALIC")
        font.setItalic(!font.italic());
    else
        font.setUnderline(!font.underline());
    item.setFont(font);
}

}

// ---- The diagrams follow the tab strip: one per tab, laid over the notes pane.

int frmMain::diagramCount()
{
    syncDiagrams();
    return int(diagrams_.size());
}

DiagramControl& frmMain::AddFlow1(int index)
{
    syncDiagrams();
    if (index < 0 || index >= int(diagrams_.size()))
        throw RuntimeError(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
    return *diagrams_[size_t(index)];
}

void frmMain::syncDiagrams()
{
    const size_t tabs = tabStrip_ ? size_t(std::max(0, tabStrip_->TabCount())) : 0;
    while (diagrams_.size() > tabs) {
        delete diagrams_.back();
        diagrams_.pop_back();
    }
    while (diagrams_.size() < tabs) {
        auto* diagram = new DiagramControl(picRHS);
        diagram->hide();
        diagram->setGeometry(Toc1->geometry());
        diagrams_.push_back(diagram);
    }
}

void frmMain::placeDiagrams(const QRect& area)
{
    for (DiagramControl* diagram : diagrams_)
        diagram->setGeometry(area);
}

DiagramControl& frmMain::selectedDiagram() { return AddFlow1(tabStrip().TheTab()); }

// ---- Operations

bool frmMain::NodeInGroup(const QString& sNodeGroup, const QString& sGroupText)
{
    return passingOn("NodeInGroup", [&] { return nodeInGroup(sNodeGroup, sGroupText); });
}

void frmMain::DoFixColors()
{
    passingOn("DoFixColors", [&] {
        DiagramControl& diagram = selectedDiagram();
        for (diagram::Node* node : diagram.Nodes()) {
            const QString level = GetTaggedValue(node, "Level");
            if (level.isEmpty())
                continue;
            if (const auto found = documentOf(clsSettings).Levels().Item(level))
                node->setFillColor(levelColour(found->color));
        }
    });
}

// Shows the nodes that have at least one selected group and one selected
// level; a node without a group or a level keeps its state, and a link shows
// only while both of its nodes do.
void frmMain::ssDBGroups_CloseUp()
{
    HourglassOn();
    ui::runStep("Error in frmMain: Sub ssDBGroups_CloseUp", [&] {
        const cGroups& groups = documentOf(clsSettings).Groups();
        const cLevels& levels = documentOf(clsSettings).Levels();
        auto groupName = [](const cGroup& g) { return g.GroupName; };
        auto levelName = [](const cLevel& l) { return l.LevelName; };
        // Wrapped in commas so that every selected key, the first included, is found as a whole.
        const QString groupKeys = "," + keysForNames(groups, selectedNames(groups, groupName), groupName) + ",";
        const QString levelKeys = "," + keysForNames(levels, selectedNames(levels, levelName), levelName) + ",";
        for (int d = 0; d < diagramCount(); ++d) {
            DiagramControl& diagram = AddFlow1(d);
            for (diagram::Node* node : diagram.Nodes()) {
                const QString nodeGroups = "," + GetTaggedValue(node, "Group") + ",";
                const QString nodeLevels = "," + GetTaggedValue(node, "Level") + ",";
                if (nodeGroups.size() >= 3 && nodeLevels.size() >= 3)
                    node->setHidden(!(NodeInGroup(nodeGroups, groupKeys) && NodeInGroup(nodeLevels, levelKeys)));
            }
            for (diagram::Link* link : diagram.Links())
                link->setHidden(link->Org().Hidden() || link->Dst().Hidden());
        }
    });
    HourglassOff();
}

void frmMain::ClickTab()
{
    passingOn("ClickTab", [&] { SSTab_Click(); });
}

void frmMain::SSTab_Click()
{
    ui::runStep("Error in frmMain: Sub SSTab_Click", [&] {
        DiagramControl& diagram = selectedDiagram();
        diagram.setVisible(true);
        diagram.ZOrder(0);
    });
}

void frmMain::tlbMain_ButtonClick(const QString& key)
{
    ui::runStep("Error in frmMain: Sub tlbMain_ButtonClick", [&] {
        static const QHash<QString, QString> menuItems = {
            {"OPEN", "mnuFileOpen"}, {"SAVE", "mnuFileSave"},   {"CUT", "mnuEditCut"},
            {"COPY", "mnuEditCopy"}, {"PASTE", "mnuEditPaste"}, {"PRINT", "mnuFilePrint"},
        };
        if (menuItems.contains(key)) {
            SmartMenuXP1_Click(SmartMenuXP1a->Find(menuItems.value(key)));
        } else if (key == "BOLD" || key == "ITALIC" || key == "ULINE") {
            DiagramControl& diagram = selectedDiagram();
            DiagramControl::Action action(diagram);
            for (diagram::Node* node : diagram.SelectedNodes())
                invertStyle(*node, key);
            diagram.Refresh();
            for (diagram::Link* link : diagram.SelectedLinks())
                invertStyle(*link, key);
            diagram.Refresh();
        } else if (key == "LEFT" || key == "CENTER" || key == "RIGHT") {
            const Qt::Alignment side = key == "LEFT" ? Qt::AlignLeft : key == "RIGHT" ? Qt::AlignRight : Qt::AlignHCenter;
            DiagramControl& diagram = selectedDiagram();
            DiagramControl::Action action(diagram);
            for (diagram::Node* node : diagram.SelectedNodes())
                node->setAlignment(side);
        } else if (key == "UNDO") {
            selectedDiagram().Undo();
        } else if (key == "REDO") {
            selectedDiagram().Redo();
        } else if (key != "NEW") {
            ui::MsgBox("Unknow Key " + key, ui::OKOnly);
        }
    });
}

// The document's slices have no editing of their own: these three do nothing.
void frmMain::DoInsertSlice() {}
void frmMain::DoDeleteSlice() {}
void frmMain::DoEditSlices() {}

}
