#pragma once
// Whole-file reading with a size cap, and writing that never leaves a half file:
// the bytes go to a temporary file beside the target, which is then renamed over it.
#include <string>
#include <string_view>
#include <vector>

namespace ks::editor {

constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;

bool readWholeFile(const std::string& path, std::string& bytes, std::size_t cap = kMaxFileBytes);
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}
