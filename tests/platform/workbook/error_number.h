#pragma once
#include "platform/runtime/runtime_error.h"

#include <functional>

namespace ks::workbook::test {

// The number of the RuntimeError the body raises; 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}
