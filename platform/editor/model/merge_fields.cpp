#include "platform/editor/model/merge_fields.h"

#include <strings.h>

namespace ks::editor {
namespace {

int fieldOfFont(Editor& e, std::uint16_t font)
{
    const FontEntry* f = e.fonts.get(font);
    return f ? f->field : 0;
}

}

int fillMergeField(Editor& e, const std::string& name, const std::string& value)
{
    std::string text = toStream(value);
    int filled = 0;
    for (std::size_t n = 0; n < e.fieldNames.size(); ++n) {
        if (strcasecmp(e.fieldNames[n].c_str(), name.c_str()) != 0)
            continue;
        int field = static_cast<int>(n) + 1;
        // Runs of this field from the end backwards, so earlier positions stay valid.
        std::uint64_t end = e.doc.length();
        while (end > 0) {
            char c;
            std::uint16_t font;
            while (end > 0 && !(e.doc.charAt(end - 1, c, font) && fieldOfFont(e, font) == field))
                --end;
            if (end == 0)
                break;
            std::uint64_t start = end;
            std::uint16_t runFont = 0;
            while (start > 0 && e.doc.charAt(start - 1, c, font) && fieldOfFont(e, font) == field) {
                runFont = font;
                --start;
            }
            e.replaceText(start, end - start, text, std::vector<std::uint16_t>(text.size(), runFont), nullptr);
            ++filled;
            end = start;
        }
    }
    return filled;
}

}
