#pragma once
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>

namespace ks::test {

// A short WMV clip with sound made by ffmpeg in dir; "" when ffmpeg fails.
// picture is an ffmpeg test source, e.g. "testsrc" or "color=c=0x2080c0".
std::string makeClip(const TempDir& dir, const std::string& name, double seconds,
                     const std::string& picture = "testsrc");

// Lets events run until done() or ms milliseconds have passed; done()'s last answer.
bool waitFor(const std::function<bool()>& done, int ms);

}
