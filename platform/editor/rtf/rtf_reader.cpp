#include "platform/editor/rtf/rtf_reader.h"

#include "platform/editor/rtf/rtf_parser.h"
#include "platform/editor/rtf/rtf_words.h"

namespace ks::editor::rtf {

bool looksLikeRtf(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

ReadResult readRtf(Editor& e, std::string_view bytes, const std::string& folder)
{
    if (!looksLikeRtf(bytes))
        return ReadResult::NotRtf;
    RtfParser parser(e, folder);
    return parser.parse(bytes) ? ReadResult::Loaded : ReadResult::Repaired;
}

void readPlainText(Editor& e, std::string_view text)
{
    e.resetDocument();
    e.doc.clear();
    std::string stream = toStream(std::string(text));
    std::string clean;
    clean.reserve(stream.size());
    for (char c : stream)
        if (c == kParaMark || c == '\t' || static_cast<unsigned char>(c) >= 0x20)
            clean.push_back(c);
    if (clean.empty() || clean.back() != kParaMark)
        clean.push_back(kParaMark);
    e.doc.appendRun(clean, 0, {kPlainFormat, 0});
}

}
