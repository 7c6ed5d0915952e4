#pragma once
// The file a report export is offered under and the files it must never replace.
#include <string>
#include <vector>

namespace ks::reports {

inline constexpr const char* kExportBaseName = "Report.xlsx";

// The name the save dialog starts with. A report still named after its template is
// offered as "Report.xlsx" beside the scorecard (or in fallbackFolder without one);
// a report already exported is offered again under its own name as .xlsx.
std::string proposedExportName(const std::string& bookFileName, const std::string& templatePath,
                               const std::string& scorecardPath, const std::string& fallbackFolder);

// Whether target names one of the kept files (the same path, letter case aside).
bool namesKeptFile(const std::string& target, const std::vector<std::string>& keptFiles);

}
