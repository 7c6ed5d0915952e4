#include "addon/core/link_attributes.h"

#include "platform/editor/vek32.h"

#include <cctype>
#include <cstring>
#include <string>
#include <strings.h>

namespace ks::addon {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The value starting at p; p moves past it.
std::string readValue(const char*& p)
{
    std::string value;
    if (*p == '"' || *p == '\'') {
        char quote = *p++;
        while (*p && *p != quote)
            value += *p++;
        if (*p)
            ++p;
        return value;
    }
    while (*p && !isBlank(*p))
        value += *p++;
    return value;
}

}

int GetLinkAttribute(const char* data, const char* name, char* out, std::size_t size)
{
    if (out && size)
        out[0] = 0;
    if (!data || !name || !*name)
        return 0;
    std::size_t nameLength = std::strlen(name);
    const char* p = data;
    while (*p) {
        while (isBlank(*p))
            ++p;
        const char* start = p;
        while (*p && *p != '=' && !isBlank(*p))
            ++p;
        std::size_t length = static_cast<std::size_t>(p - start);
        while (isBlank(*p))
            ++p;
        if (*p != '=')
            continue;
        ++p;
        while (isBlank(*p))
            ++p;
        std::string value = readValue(p);
        if (length == nameLength && strncasecmp(start, name, length) == 0) {
            if (out && size) {
                std::size_t n = std::min(value.size(), size - 1);
                std::memcpy(out, value.data(), n);
                out[n] = 0;
            }
            return 1;
        }
    }
    return 0;
}

int PositionAtName(void* hWnd, const char* name)
{
    if (!name || !*name)
        return 0;
    for (const char* form : {"name=", "name=\""}) {
        std::string pattern = std::string(form) + name;
        int pos = EditorFindText(hWnd, pattern.c_str(), 0, 0);
        if (pos >= 0)
            return EditorMoveCaret(hWnd, pos, -1, 1) ? 1 : 0;
    }
    return 0;
}

}
