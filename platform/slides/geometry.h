#pragma once
// Positions and sizes in points, as the presentation's callers give them; the
// package stores English Metric Units (12 700 to the point).
#include <cmath>
#include <cstdint>

namespace ks::slides {

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

inline constexpr std::int64_t kEmuPerPoint = 12700;
// Far beyond any slide, well inside the package's coordinate range.
inline constexpr double kMaxPoints = 1.0e6;

inline std::int64_t toEmu(double points) { return std::llround(points * kEmuPerPoint); }
inline double toPoints(std::int64_t emu) { return static_cast<double>(emu) / kEmuPerPoint; }

}
