#pragma once
// A comma-decimal locale (de_DE.UTF-8) for this process's C library, as a user's LANG gives
// it to a Qt program. Machines with only the C locale get one made by localedef into a
// temporary folder (LOCPATH); where that cannot be done, active() is false and tests skip.
#include <optional>
#include <string>

namespace ks::test {

class CommaDecimalLocale {
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return active_; }
    // The locale's name and the folder to give as LOCPATH to a program started with it
    // (empty when the system has the locale itself).
    static const char* name() { return "de_DE.UTF-8"; }
    static std::string folder();

private:
    std::string previous_;
    std::optional<std::string> previousPath_;
    bool active_ = false;
};

}
