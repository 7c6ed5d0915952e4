#include "platform/ui/cp1252_text.h"

#include <array>

namespace ks::ui {
namespace {

// 0x80-0x9F differ from Latin-1; 0 marks the five bytes Windows-1252 leaves undefined.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c < 0xA0)   // an undefined byte stands for itself; the other 27 are taken
        return kHigh[c - 0x80] ? -1 : c;
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

}

QChar charFromCp1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(kHigh[byte - 0x80] ? kHigh[byte - 0x80] : char16_t(byte));
    return QChar(byte);
}

bool inCp1252(QChar c)
{
    return byteOf(c.unicode()) >= 0;
}

QString fromCp1252(std::string_view bytes)
{
    QString s(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = s.data();
    for (char b : bytes)
        *out++ = charFromCp1252(static_cast<unsigned char>(b));
    return s;
}

Cp1252Text toCp1252(const QString& text, LineEnds ends)
{
    Cp1252Text r;
    r.bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text.at(i).unicode();
        if (ends == LineEnds::CrLf && (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)) {
            r.bytes += "\r\n";
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            continue;
        }
        int b = byteOf(c);
        if (b < 0) {
            // A surrogate pair is one character the user sees: one "?".
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
            r.bytes.push_back('?');
            ++r.replaced;
        } else {
            r.bytes.push_back(static_cast<char>(b));
        }
    }
    return r;
}

}
