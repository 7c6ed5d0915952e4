#pragma once
#include <filesystem>
#include <string>

namespace ks::test {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes a file (creating its folders) and returns its full path.
    std::filesystem::path write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;
    // Copies a file of the built program folder to the same place in this folder.
    std::filesystem::path copyProgramFile(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

}
