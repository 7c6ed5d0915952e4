#include "tests/support/comma_locale.h"
#include "tests/support/temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

namespace ks::test {

namespace {

bool decimalComma()
{
    const std::lconv* conventions = std::localeconv();
    return conventions && std::strcmp(conventions->decimal_point, ",") == 0;
}

// Made once per test binary and removed at its end.
std::string generatedFolder()
{
    static const TempDir dir;
    static const bool made = [] {
        const std::string target = dir.str() + "/" + CommaDecimalLocale::name();
        return std::system(("localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1").c_str()) != -1;
    }();
    return made ? dir.str() : std::string();
}

}

std::string CommaDecimalLocale::folder()
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const bool own = std::setlocale(LC_ALL, name()) != nullptr;
    std::setlocale(LC_ALL, before.c_str());
    return own ? std::string() : generatedFolder();
}

CommaDecimalLocale::CommaDecimalLocale() : previous_(std::setlocale(LC_ALL, nullptr))
{
    if (const char* path = std::getenv("LOCPATH"))
        previousPath_ = path;
    const std::string path = folder();
    if (!path.empty())
        ::setenv("LOCPATH", path.c_str(), 1);
    active_ = std::setlocale(LC_ALL, name()) != nullptr && decimalComma();
}

CommaDecimalLocale::~CommaDecimalLocale()
{
    std::setlocale(LC_ALL, previous_.c_str());
    if (previousPath_)
        ::setenv("LOCPATH", previousPath_->c_str(), 1);
    else
        ::unsetenv("LOCPATH");
}

}
