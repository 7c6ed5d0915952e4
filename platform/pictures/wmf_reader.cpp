#include "platform/pictures/wmf_reader.h"

namespace ks::pictures {

namespace {
constexpr std::size_t kPlaceableHeader = 22;
constexpr std::size_t kMetaHeader = 18;
// The standard header's second word: its own size in 16-bit words.
constexpr unsigned kMetaHeaderWords = 9;
}

Metafile readWmf(std::span<const std::uint8_t> bytes)
{
    Metafile result;
    if (bytes.size() < kPlaceableHeader + kMetaHeader) {
        result.problems.push_back({Fault::NoHeader, std::int64_t(bytes.size())});
        return result;
    }
    std::span<const std::uint8_t> records = bytes.subspan(kPlaceableHeader);
    if ((records[2] | records[3] << 8) != kMetaHeaderWords) {
        result.problems.push_back({Fault::NotThisFormat, std::int64_t(kPlaceableHeader + 2)});
        return result;
    }
    result.records = records;
    return result;
}

}
