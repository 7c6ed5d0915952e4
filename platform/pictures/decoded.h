#pragma once
// A decoder's answer: the picture, or none, and what it met on the way.
#include "platform/pictures/packed_dib.h"
#include "platform/pictures/picture_problems.h"

namespace ks::pictures {

struct Decoded {
    PackedDib picture;   // empty when the data gave none
    Problems problems;
};

}
