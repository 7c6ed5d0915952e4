#include "platform/registry/key_names.h"

namespace ks::registry {

std::string foldName(const std::string& name)
{
    std::string folded = name;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'a' && c <= 'z') {
            folded[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            // U+00E0..U+00FE (except U+00F7) fold to U+00C0..U+00DE.
            auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                folded[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return folded;
}

LONG splitKeyPath(const std::string& path, std::vector<std::string>* parts)
{
    parts->clear();
    if (path.empty())
        return ERROR_SUCCESS;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end == start)
            return ERROR_BAD_PATHNAME;
        if (end - start > kMaxKeyNameLength || parts->size() == kMaxKeyDepth)
            return ERROR_INVALID_PARAMETER;
        parts->push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

}
