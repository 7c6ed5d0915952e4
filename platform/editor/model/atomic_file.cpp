#include "platform/editor/model/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ks::editor {

bool readWholeFile(const std::string& path, std::string& bytes, std::size_t cap)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return false;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > cap)
        return false;
    std::ifstream in(path, std::ios::binary);
    bytes.assign(static_cast<std::size_t>(size), '\0');
    return in.read(bytes.data(), static_cast<std::streamsize>(size)).gcount() == static_cast<std::streamsize>(size);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return false;
    std::string temp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}
