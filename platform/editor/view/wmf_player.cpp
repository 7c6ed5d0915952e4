#include "platform/editor/view/wmf_player.h"
#include "platform/editor/model/picture_files.h"

#include <QPainter>
#include <QPainterPath>

#include <cstring>
#include <variant>
#include <vector>

namespace ks::editor::view {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kMaxObjects = 4096;
constexpr int kMaxPoints = 1 << 16;

// Little-endian reads that give 0 past the end, so a damaged record cannot read outside.
struct Bytes {
    const std::string& b;
    std::size_t at(std::size_t i) const { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0; }
    int u16(std::size_t i) const { return static_cast<int>(at(i) | at(i + 1) << 8); }
    int s16(std::size_t i) const { return static_cast<std::int16_t>(u16(i)); }
    std::uint32_t u32(std::size_t i) const { return static_cast<std::uint32_t>(u16(i)) | static_cast<std::uint32_t>(u16(i + 2)) << 16; }
};

QColor colorRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

struct OtherObject {};   // a palette, region or pattern: holds its slot, draws nothing
using GdiObject = std::variant<std::monostate, QPen, QBrush, QFont, OtherObject>;

class Player {
public:
    Player(const std::string& bytes, QPainter& p, QSize size) : in_{bytes}, p_(p), size_(size) {}

    bool play()
    {
        std::size_t pos = 0;
        if (in_.u32(0) == kPlaceableKey) {
            org_ = QPoint(in_.s16(6), in_.s16(8));
            ext_ = QSize(in_.s16(10) - in_.s16(6), in_.s16(12) - in_.s16(8));
            pos = kPlaceableSize;
        }
        if (in_.u16(pos + 2) != 9 || in_.b.size() < pos + 18)
            return false;
        std::size_t headerWords = static_cast<std::size_t>(in_.u16(pos + 2));
        pos += headerWords * 2;
        p_.setPen(QPen(Qt::black));
        p_.setBrush(Qt::white);
        map();
        while (pos + 6 <= in_.b.size()) {
            std::size_t words = in_.u32(pos);
            int function = in_.u16(pos + 4);
            if (function == 0 || words < 3 || words > (in_.b.size() - pos) / 2)
                break;
            record(function, pos + 6, words * 2 - 6);
            pos += words * 2;
        }
        return true;
    }

private:
    void map()
    {
        if (ext_.width() == 0 || ext_.height() == 0)
            return;
        p_.resetTransform();
        p_.scale(double(size_.width()) / ext_.width(), double(size_.height()) / ext_.height());
        p_.translate(-org_.x(), -org_.y());
    }
    QPoint point(std::size_t at) const { return QPoint(in_.s16(at + 2), in_.s16(at)); }   // y first
    QRect box(std::size_t at) const
    {
        return QRect(QPoint(in_.s16(at + 6), in_.s16(at + 4)), QPoint(in_.s16(at + 2), in_.s16(at))).normalized();
    }
    QPolygon points(std::size_t at, int n) const
    {
        QPolygon poly;
        for (int i = 0; i < std::clamp(n, 0, kMaxPoints); ++i)
            poly << QPoint(in_.s16(at + 4 * i), in_.s16(at + 4 * i + 2));
        return poly;
    }
    void add(GdiObject o)
    {
        for (auto& slot : objects_)
            if (std::holds_alternative<std::monostate>(slot)) {
                slot = std::move(o);
                return;
            }
        if (objects_.size() < kMaxObjects)
            objects_.push_back(std::move(o));
    }
    void select(std::size_t i)
    {
        if (i >= objects_.size())
            return;
        if (auto* pen = std::get_if<QPen>(&objects_[i]))
            p_.setPen(*pen);
        else if (auto* brush = std::get_if<QBrush>(&objects_[i]))
            p_.setBrush(*brush);
        else if (auto* font = std::get_if<QFont>(&objects_[i]))
            font_ = *font;
    }
    void text(QPoint at, std::string_view chars)
    {
        p_.save();
        p_.setFont(font_);
        p_.setPen(textColour_);
        QFontMetrics m(font_);
        p_.drawText(at + QPoint(0, m.ascent()), QString::fromLatin1(chars.data(), static_cast<qsizetype>(chars.size())));
        p_.restore();
    }
    void bitmap(std::size_t dib, std::size_t end, const QRect& dest)
    {
        if (dib >= end)
            return;
        int w = 0, h = 0;
        std::string rgb;
        if (!dibToRgb(in_.b.substr(dib, end - dib), w, h, rgb))
            return;
        QImage image(reinterpret_cast<const uchar*>(rgb.data()), w, h, w * 3, QImage::Format_RGB888);
        p_.drawImage(dest, image);
    }

    void record(int function, std::size_t a, std::size_t length)
    {
        std::size_t end = a + length;
        switch (function) {
        case 0x020B: org_ = point(a); map(); break;                                      // SetWindowOrg
        case 0x020C: ext_ = QSize(in_.s16(a + 2), in_.s16(a)); map(); break;             // SetWindowExt
        case 0x0209: textColour_ = colorRef(in_.u32(a)); break;                           // SetTextColor
        case 0x02FA: {                                                                    // CreatePenIndirect
            int style = in_.u16(a);
            QPen pen(colorRef(in_.u32(a + 6)), std::max(0, in_.s16(a + 2)));
            pen.setCosmetic(in_.s16(a + 2) <= 1);
            if ((style & 0xF) == 5)
                pen.setStyle(Qt::NoPen);
            else if ((style & 0xF) == 1)
                pen.setStyle(Qt::DashLine);
            else if ((style & 0xF) == 2)
                pen.setStyle(Qt::DotLine);
            add(pen);
            break;
        }
        case 0x02FC: {                                                                    // CreateBrushIndirect
            int style = in_.u16(a);
            add(style == 1 ? QBrush(Qt::NoBrush) : QBrush(colorRef(in_.u32(a + 2))));
            break;
        }
        case 0x02FB: {                                                                    // CreateFontIndirect
            QFont f;
            std::string face = in_.b.substr(std::min(a + 18, in_.b.size()), 32);
            face = face.substr(0, face.find('\0'));
            f.setFamily(QString::fromLatin1(face.c_str()));
            f.setPixelSize(std::clamp(std::abs(in_.s16(a)), 1, 2000));
            f.setBold(in_.s16(a + 8) >= 600);
            f.setItalic(in_.at(a + 10));
            f.setUnderline(in_.at(a + 11));
            f.setStrikeOut(in_.at(a + 12));
            add(f);
            break;
        }
        case 0x00F7: case 0x06FF: case 0x0142: case 0x01F9: add(OtherObject{}); break;
        case 0x012D: select(static_cast<std::size_t>(in_.u16(a))); break;                 // SelectObject
        case 0x01F0:                                                                      // DeleteObject
            if (std::size_t i = static_cast<std::size_t>(in_.u16(a)); i < objects_.size())
                objects_[i] = std::monostate{};
            break;
        case 0x0214: cursor_ = point(a); break;                                           // MoveTo
        case 0x0213: p_.drawLine(cursor_, point(a)); cursor_ = point(a); break;           // LineTo
        case 0x041B: p_.drawRect(box(a)); break;                                          // Rectangle
        case 0x0418: p_.drawEllipse(box(a)); break;                                       // Ellipse
        case 0x061C: p_.drawRoundedRect(box(a + 4), in_.s16(a + 2) / 2.0, in_.s16(a) / 2.0); break;   // RoundRect
        case 0x0324: p_.drawPolygon(points(a + 2, in_.s16(a))); break;                    // Polygon
        case 0x0325: p_.drawPolyline(points(a + 2, in_.s16(a))); break;                   // Polyline
        case 0x0538: {                                                                    // PolyPolygon
            int polys = std::clamp(in_.s16(a), 0, kMaxPoints);
            std::size_t at = a + 2 + 2 * static_cast<std::size_t>(polys);
            QPainterPath path;
            for (int i = 0; i < polys && at < end; ++i) {
                int n = in_.s16(a + 2 + 2 * i);
                path.addPolygon(points(at, n));
                path.closeSubpath();
                at += 4 * static_cast<std::size_t>(std::max(n, 0));
            }
            p_.drawPath(path);
            break;
        }
        case 0x0521: {                                                                    // TextOut
            int n = std::clamp(in_.s16(a), 0, 4096);
            std::size_t after = a + 2 + ((static_cast<std::size_t>(n) + 1) & ~std::size_t(1));
            text(point(after), std::string_view(in_.b).substr(std::min(a + 2, in_.b.size()), n));
            break;
        }
        case 0x0A32: {                                                                    // ExtTextOut
            int n = std::clamp(in_.s16(a + 4), 0, 4096);
            std::size_t chars = a + 8 + ((in_.u16(a + 6) & 0x6) ? 8 : 0);
            text(point(a), std::string_view(in_.b).substr(std::min(chars, in_.b.size()), n));
            break;
        }
        case 0x0F43:                                                                      // StretchDIBits
            bitmap(a + 22, end, QRect(in_.s16(a + 20), in_.s16(a + 18), in_.s16(a + 16), in_.s16(a + 14)));
            break;
        case 0x0B41:                                                                      // DibStretchBlt
            bitmap(a + 20, end, QRect(in_.s16(a + 18), in_.s16(a + 16), in_.s16(a + 14), in_.s16(a + 12)));
            break;
        case 0x0940:                                                                      // DibBitBlt
            bitmap(a + 16, end, QRect(in_.s16(a + 14), in_.s16(a + 12), in_.s16(a + 10), in_.s16(a + 8)));
            break;
        default:
            break;
        }
    }

    Bytes in_;
    QPainter& p_;
    QSize size_;
    QPoint org_, cursor_;
    QSize ext_;
    QFont font_;
    QColor textColour_ = Qt::black;
    std::vector<GdiObject> objects_;
};

}

QImage playWmf(const std::string& bytes, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (!Player(bytes, p, image.size()).play())
        return {};
    return image;
}

}
