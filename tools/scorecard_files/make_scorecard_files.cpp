// Build step: writes "newxx2.tem", "actbud.rt" and "spreadsheets/Sample.vqa" into the
// program folder named on the command line. The years follow today's date.
#include "tools/scorecard_files/scorecard_files.h"

#include "platform/runtime/runtime_error.h"

#include <chrono>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_scorecard_files <program folder>\n";
        return 2;
    }
    try {
        auto today = std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
        ks::scorecard::files::writeProgramFiles(argv[1], static_cast<int>(today.year()),
                                                static_cast<int>(static_cast<unsigned>(today.month())));
    } catch (const ks::RuntimeError& e) {
        std::cerr << "make_scorecard_files: " << e.description() << " (" << e.number() << ")\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "make_scorecard_files: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
