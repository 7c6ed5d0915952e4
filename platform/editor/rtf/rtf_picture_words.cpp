// Pictures: the words of a "\pict" group, its hex bytes, and the object made when it closes.
#include "platform/editor/model/picture_files.h"
#include "platform/editor/rtf/rtf_parse_helpers.h"
#include "platform/editor/rtf/rtf_parser.h"
#include "platform/editor/vek32.h"

namespace ks::editor::rtf {
namespace {

constexpr std::size_t kMaxPicture = std::size_t(64) << 20;

struct PictureBound {
    int PictureState::* number;
    int lo, hi;
};

constexpr PictureBound kPictureNumbers[] = {
    {&PictureState::width, 0, 32768}, {&PictureState::height, 0, 32768},
    {&PictureState::goalWidth, 0, 32768 * kTwipsPerPixel}, {&PictureState::goalHeight, 0, 32768 * kTwipsPerPixel},
    {&PictureState::aux, -1000000, 1000000}, {&PictureState::valign, 0, 2}, {&PictureState::floatSide, 0, 2}};

}

// The kinds we keep; "\jpegblip", "\emfblip" and the like set None, and the picture is left out.
void RtfParser::pictureFormat(std::uint32_t format, Param) { picture_.format = static_cast<ObjectData::Format>(format); }

void RtfParser::pictureNumber(std::uint32_t which, Param p)
{
    const PictureBound& b = kPictureNumbers[which];
    picture_.*b.number = clampInt(p.value, b.lo, b.hi);
}

void RtfParser::pictureLink(std::uint32_t, Param) { picture_.link = true; }

// A picture's bytes as hex digits; anything else between them (blanks) is passed over.
void RtfParser::pictureHex(std::string_view digits)
{
    for (char c : digits) {
        int v = hexValue(c);
        if (v < 0)
            continue;
        if (picture_.data.size() >= kMaxPicture) {
            damaged_ = true;
            return;
        }
        if (picture_.nibble < 0) {
            picture_.nibble = v;
        } else {
            picture_.data.push_back(static_cast<char>(picture_.nibble << 4 | v));
            picture_.nibble = -1;
        }
    }
}

void RtfParser::placeObject(int id)
{
    piece_.push_back(kObjectChar);
    pieceFonts_.push_back(static_cast<std::uint16_t>(id));
}

void RtfParser::finishPicture()
{
    PictureState p = std::move(picture_);
    picture_ = {};
    int w = 0, h = 0;
    if (p.format == ObjectData::Format::None || !probePicture(p.format, p.data, w, h))
        return;   // a kind we do not keep, or damaged bytes: the picture is left out
    if (p.goalWidth > 0 && p.goalHeight > 0) {
        w = std::max(1, p.goalWidth / kTwipsPerPixel);
        h = std::max(1, p.goalHeight / kTwipsPerPixel);
    } else if (p.format == ObjectData::Format::Wmf && p.width > 0 && p.height > 0) {
        w = p.width;
        h = p.height;
    }
    ObjectData o;
    o.format = p.format;
    o.data = std::move(p.data);
    o.rect = {0, 0, w, h};
    o.aux = p.aux;
    o.verticalAlign = p.valign;
    o.floatSide = p.floatSide;
    o.fileName = p.name;
    int id = e_.newObject(std::move(o), p.link ? ks::editor::kLinkText : 0);
    if (id > 0)
        placeObject(id);
}

}
