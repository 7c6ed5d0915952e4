#pragma once
// The one way the programs and libraries save and read whole files; no Qt.
//
// A save writes a temporary file beside the target, readable by its owner alone, flushes
// it to disk, gives it the target's permissions and renames it over the target, so the
// target is always either the old file or the new one, whole. On any failure the old file
// is untouched, the temporary is removed and the caller gets the reason. A save that works
// also removes the temporaries killed saves of the same target left (see temp_names.h). A
// target that is a symbolic link is saved through the link; the link stays a link.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ks::files {

// What a save or read reports: success, or the errno value and its reason.
struct [[nodiscard]] Outcome {
    int error = 0;        // an errno value; 0 when the operation worked
    std::string reason;   // "No space left on device", "file too large", ...

    explicit operator bool() const { return error == 0; }
    // A failure; the reason defaults to the system's text for the errno value.
    static Outcome failure(int error, std::string reason = {});
};

// Saves bytes as the file at path.
Outcome saveFile(const std::string& path, std::string_view bytes);

// For writers that need a file name of their own: write(tempPath) fills the temporary
// file (it may replace it), then it is flushed and renamed over path. An exception
// thrown by write removes the temporary and passes on; the target is untouched.
using TempWriter = std::function<void(const std::string& tempPath)>;
Outcome saveFileWith(const std::string& path, const TempWriter& write);

// Reads the whole regular file at path into bytes, refusing one of more than maxBytes.
constexpr std::size_t kMaxReadBytes = std::size_t(256) << 20;
Outcome readFile(const std::string& path, std::string& bytes, std::size_t maxBytes = kMaxReadBytes);

}
