#pragma once
// How many decoded pixels one document may hold. Each picture is capped by its
// decoder; this caps the document, so that a page naming a huge picture many times,
// or many huge pictures, cannot take the machine's memory. Bytes that several objects
// share count once. The view decodes no more than this either.
#include "platform/editor/model/font_table.h"

#include <cstdint>

namespace ks::editor {

inline constexpr std::int64_t kMaxDocumentPixels = std::int64_t(64) << 20;

// The picture's pixels at its natural size; 0 for a placeholder or a control.
std::int64_t picturePixels(const ObjectData& o);

// Whether the document's pictures, with added and without the object replacing
// (0 for none), stay within kMaxDocumentPixels.
bool fitsPictureBudget(const FontTable& fonts, const ObjectData& added, int replacing);

}
