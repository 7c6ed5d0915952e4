#pragma once
// Whole-file writes that never leave a half-written file: a temporary file beside the
// target, renamed over it once complete. Failures raise kErrFileWrite and keep the old file.
#include <functional>
#include <string>

namespace ks::workbook {

void writeFileAtomically(const std::string& path, const std::string& bytes);
// For writers that need a path of their own: fill(tempPath) writes the file, then it is renamed.
void replaceFileAtomically(const std::string& path, const std::function<void(const std::string&)>& fill);
// The file's bytes, at most maxBytes; raises kErrFileUnreadable.
std::string readWholeFile(const std::string& path, std::size_t maxBytes);

}
