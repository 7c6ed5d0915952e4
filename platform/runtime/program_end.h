#pragma once
// Ends the program at once, as when a start-up it cannot do without has failed:
// no window is asked or unloaded. Tests replace the ending with a record of it.
#include <functional>

namespace ks {

void EndProgram();
// The previous ending is returned so a test can put it back.
std::function<void()> setProgramEnding(std::function<void()> ending);

}
