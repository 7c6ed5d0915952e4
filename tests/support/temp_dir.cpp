#include <cstdlib>
#include "tests/support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace ks::test {

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("ks-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::string& relative, const std::string& content) const
{
    auto full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << content;
    return full;
}

std::string TempDir::read(const std::string& relative) const
{
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::filesystem::path TempDir::copyProgramFile(const std::string& relative) const
{
    const char* programDir = std::getenv("KS_PROGRAM_DIR");
    const std::filesystem::path to = path_ / relative;
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(programDir ? programDir : ".") / relative, to,
                               std::filesystem::copy_options::overwrite_existing);
    return to;
}

}
