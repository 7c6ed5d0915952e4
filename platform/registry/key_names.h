#pragma once
// Key and value names are kept as first written and compared without regard to
// case; the folded form is what the store indexes and sorts by.
#include "platform/registry/registry_codes.h"

#include <string>
#include <vector>

namespace ks::registry {

// Upper-cases ASCII letters and the Latin-1 letters of UTF-8 text.
std::string foldName(const std::string& name);

// Splits "a\b\c" into its parts; a trailing backslash is allowed. Empty inner
// parts, over-long names and over-deep paths give the error code.
LONG splitKeyPath(const std::string& path, std::vector<std::string>* parts);

}
