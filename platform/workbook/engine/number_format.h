#pragma once
// Number formats as cells show them: sections split by ";" (positive, negative, zero, text),
// digit placeholders "0 # ?", "," grouping, ".", "%", quoted and escaped literals,
// "General", scientific "E+", and date and time codes (d, m, y, h, s, AM/PM).
#include "platform/workbook/engine/value.h"

#include <string>

namespace ks::workbook {

std::string formatNumber(double n, const std::string& format);
// The shown text of a cell value: numbers through the format, texts through its "@" section.
std::string formatValue(const Value& v, const std::string& format);
// The text of a number as the "General" format shows it (at most 11 characters' worth).
std::string generalNumberText(double n);

}
