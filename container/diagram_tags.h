#pragma once
// The data a diagram node carries in its tag: fields "<name>=<value>" joined by
// "|", among them "Group" and "Level" with comma-joined GUID keys of the
// document's groups and levels.
#include <QString>

namespace ks::diagram {
class DiagramItem;
}

namespace ks::container {

// The value of the field whose name starts with sKey (any letter case); the
// last such field wins; "" when none. An item that is not there fails with 91.
QString GetTaggedValue(const diagram::DiagramItem* obj, const QString& sKey);

// True when an element of the comma list sNodeGroup is found in sGroupText
// (any letter case) at its second character or later: callers wrap the text
// they search in commas, so a find at the first character is no whole key.
bool nodeInGroup(const QString& sNodeGroup, const QString& sGroupText);

}
