#pragma once
// The failures the controls raise, with the numbers callers branch on.
#include "platform/runtime/runtime_error.h"

#include <QString>

namespace ks::controls {

inline constexpr int kIndexOutOfBounds = 35600;
inline constexpr int kElementNotFound = 35601;
inline constexpr int kKeyNotUnique = 35602;
inline constexpr int kInvalidPropertyValue = 380;

inline RuntimeError controlError(int number, const QString& description)
{
    return RuntimeError(number, description.toStdString());
}

}
