#pragma once
// A KPI's number format from its set-up texts: type "currency", "percent" or anything else
// (a plain number) and decimals "2", "1" or anything else (none); compared exactly.
#include <string>

namespace ks::scorecard::layout {

std::string kpiNumberFormat(const std::string& type, const std::string& decimals);

}
