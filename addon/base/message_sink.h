#pragma once
// Where the library's message boxes and traces go. The host installs a sink
// that shows them; without one they are silent (tests and headless hosts).
#include <functional>
#include <string>

namespace ks::addon {

struct AddonMessage {
    enum class Kind { Box, Trace };
    Kind kind = Kind::Box;
    void* owner = nullptr;   // owning window, null for none
    std::string text;
    std::string caption;
};

using MessageSink = std::function<void(const AddonMessage&)>;

// Returns the sink in force before.
MessageSink setMessageSink(MessageSink sink);
void showMessage(void* owner, const std::string& text, const std::string& caption);
// The trace channel: printf-style text as a Trace message; returns 1.
int DebugMsg(const char* format, ...) __attribute__((format(printf, 1, 2)));

}
