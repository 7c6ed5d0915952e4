#include "reports/export_naming.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace ks::reports {

namespace fs = std::filesystem;

namespace {

std::string folded(const std::string& path)
{
    std::error_code ignored;
    std::string text = fs::weakly_canonical(fs::path(path), ignored).lexically_normal().string();
    if (text.empty())
        text = fs::path(path).lexically_normal().string();
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool samePath(const std::string& a, const std::string& b)
{
    return !a.empty() && !b.empty() && folded(a) == folded(b);
}

}

std::string proposedExportName(const std::string& bookFileName, const std::string& templatePath,
                               const std::string& scorecardPath, const std::string& fallbackFolder)
{
    if (bookFileName.empty() || samePath(bookFileName, templatePath)) {
        const fs::path folder = scorecardPath.empty() ? fs::path(fallbackFolder) : fs::path(scorecardPath).parent_path();
        return (folder / kExportBaseName).string();
    }
    return fs::path(bookFileName).replace_extension(".xlsx").string();
}

bool namesKeptFile(const std::string& target, const std::vector<std::string>& keptFiles)
{
    return std::any_of(keptFiles.begin(), keptFiles.end(), [&](const std::string& kept) { return samePath(target, kept); });
}

}
