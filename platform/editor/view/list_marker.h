#pragma once
// The marker drawn before a list paragraph: a bullet by level, or its number in the list's style.
#include "platform/editor/model/para_formats.h"

#include <QString>

namespace ks::editor::view {

QString listMarker(const ListFormat& list, int number);

}
