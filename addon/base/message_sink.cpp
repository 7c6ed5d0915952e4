#include "addon/base/message_sink.h"

#include <cstdarg>
#include <cstdio>

namespace ks::addon {

namespace {
MessageSink& currentSink()
{
    static MessageSink sink;
    return sink;
}
}

MessageSink setMessageSink(MessageSink sink)
{
    MessageSink before = std::move(currentSink());
    currentSink() = std::move(sink);
    return before;
}

void showMessage(void* owner, const std::string& text, const std::string& caption)
{
    if (currentSink())
        currentSink()({AddonMessage::Kind::Box, owner, text, caption});
}

int DebugMsg(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (currentSink())
        currentSink()({AddonMessage::Kind::Trace, nullptr, text, {}});
    return 1;
}

}
