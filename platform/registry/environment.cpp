#include "platform/registry/environment.h"

#include "platform/registry/key_names.h"

#include <cstdlib>
#include <optional>

extern char** environ;

namespace ks::registry {

namespace {

std::optional<std::string> lookUp(const std::string& name)
{
    if (const char* exact = std::getenv(name.c_str()))
        return std::string(exact);
    const std::string folded = foldName(name);
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string pair = *entry;
        auto eq = pair.find('=');
        if (eq != std::string::npos && foldName(pair.substr(0, eq)) == folded)
            return pair.substr(eq + 1);
    }
    return std::nullopt;
}

}

std::string ExpandEnvironmentStrings(const std::string& text)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto open = text.find('%', pos);
        auto close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        std::string name = text.substr(open + 1, close - open - 1);
        auto value = name.empty() ? std::nullopt : lookUp(name);
        if (value) {
            out += *value;
            pos = close + 1;
        } else {
            // Keep the unknown reference; its closing sign may open the next one.
            out += text.substr(open, close - open);
            pos = close;
        }
    }
    return out;
}

}
