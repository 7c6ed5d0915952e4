#pragma once
// The zip container of a package: reading a template's entries, writing a whole package.
#include <string>
#include <utility>
#include <vector>

struct zip;

namespace ks::slides {

class ZipReader {
public:
    // Raises kErrFileNotFound, kErrFileAccess, or kErrBadFileFormat for a file that is no zip.
    explicit ZipReader(const std::string& path);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool has(const std::string& name) const;
    // The entry's bytes; raises kErrBadFileFormat when it is missing, too large or damaged.
    std::string read(const std::string& name) const;

private:
    std::string path_;
    zip* archive_ = nullptr;
};

// A stored entry (no compression) suits data that is compressed already, such as JPEG.
struct ZipEntry {
    std::string name;
    const std::string* bytes;
    bool store = false;
};

// Writes the entries as a new zip file, built in memory and saved whole by the one
// atomic save; raises kErrFileAccess and leaves any file at path as it was.
void writeZipFile(const std::string& path, const std::vector<ZipEntry>& entries);

}
