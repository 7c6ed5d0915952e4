#pragma once
// The run-time failure a piece of code raises, for tests that check its number and texts.
#include "platform/runtime/runtime_error.h"

#include <functional>

namespace ks::test {

// What body raised; number 0 when it raised nothing.
inline RuntimeError raised(const std::function<void()>& body)
{
    try {
        body();
    } catch (const RuntimeError& e) {
        return e;
    }
    return RuntimeError(0, "nothing raised");
}

inline int errorOf(const std::function<void()>& body) { return raised(body).number(); }

}
