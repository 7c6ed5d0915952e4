#pragma once
// The model's codes are the public ones of the API.
#include "platform/editor/vek32_codes.h"
