#pragma once
#include <optional>
#include <string>

namespace ks::workbook {

std::string base64Encode(const std::string& bytes);
// Nothing for text that is not base64 (white space is skipped).
std::optional<std::string> base64Decode(const std::string& text);

}
