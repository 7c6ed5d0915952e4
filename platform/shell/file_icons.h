#pragma once
// The icon the desktop associates with a file, by the file's type, as a file
// manager shows it.
#include <QIcon>
#include <QString>

namespace ks::shell {

// Never null: a file of a type without an icon of its own gets the generic
// file icon, a missing file the icon its name's type would have. The type is
// found when the icon is first drawn.
QIcon associatedIcon(const QString& path);

}
