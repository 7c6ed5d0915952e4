#pragma once
// Placeable metafiles: the standard metafile behind the 22-byte placeable header.
#include "platform/pictures/picture_problems.h"

#include <cstdint>
#include <span>

namespace ks::pictures {

struct Metafile {
    std::span<const std::uint8_t> records;   // the standard metafile, its header first; empty when refused
    Problems problems;
};

// The metafile inside a placeable file's bytes (a view into them).
Metafile readWmf(std::span<const std::uint8_t> bytes);

}
