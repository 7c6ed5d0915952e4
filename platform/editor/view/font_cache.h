#pragma once
// Screen fonts of an editor's font table, with the advance of every one of the
// 256 Windows-1252 characters: layout measures by table look-up, not shaping.
#include "platform/editor/model/font_table.h"

#include <QColor>
#include <QFont>

#include <array>
#include <map>
#include <tuple>
#include <vector>

namespace ks::editor::view {

// The view works at 96 pixels an inch: a twip is 1/15 pixel.
constexpr int kTwipsPerPixel = 15;
inline int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
// The model's colours are 0x00BBGGRR.
inline QColor colourOf(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

struct ScreenFont {
    QFont font;
    std::array<float, 256> advance{};
    float ascent = 0, descent = 0;
    float baselineShift = 0;   // superscript up (negative), subscript down
    QColor colour;             // invalid: the document's text colour
    QColor highlight;          // invalid: none
    bool hidden = false;
    bool object = false;
    int objectWidth = 0, objectHeight = 0;   // pixels, for an object entry
};

class FontCache {
public:
    // Re-reads the table; true when an entry that layout depends on changed.
    bool sync(const FontTable& table);
    // The screen font of id; font 0's for an unknown id.
    const ScreenFont& get(int id) const;

private:
    // What measuring a font gives; shared by the fonts that differ only in colour or tags,
    // since measuring 256 characters costs far more than everything else about a font.
    struct Metrics {
        std::array<float, 256> advance{};
        float ascent = 0, descent = 0;
    };
    using MetricsKey = std::tuple<QString, int, bool, bool, bool, bool>;
    ScreenFont make(const FontEntry& e);
    const Metrics& metricsOf(const QFont& font);

    std::vector<FontEntry> seen_;
    std::vector<ScreenFont> fonts_;
    std::map<MetricsKey, Metrics> metrics_;
};

}
