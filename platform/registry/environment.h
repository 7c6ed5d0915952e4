#pragma once
#include <string>

namespace ks::registry {

// Replaces every %NAME% by the environment variable NAME (matched exactly, else
// without regard to case); an unknown or empty name stays as written.
std::string ExpandEnvironmentStrings(const std::string& text);

}
