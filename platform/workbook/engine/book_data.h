#pragma once
// Everything a book holds; swapped whole when a file is read, so a failed read changes nothing.
#include "platform/workbook/engine/cell_format.h"
#include "platform/workbook/engine/formula_eval.h"
#include "platform/workbook/engine/sheet.h"

#include <map>
#include <string>
#include <vector>

namespace ks::workbook {

struct DefinedName {
    std::string name;          // as first written
    std::vector<Area> areas;   // one or more blocks
    bool operator==(const DefinedName&) const = default;
};

struct BookData {
    std::vector<Sheet> sheets{Sheet("Sheet1")};
    StyleTable styles;
    std::map<std::string, DefinedName> names;  // keyed by the upper-case name
    int currentSheet = 0;                       // 0-based
    int nextObjectId = 1;
    std::string fileName;

    SheetNames sheetNames() const;
};

std::string upperName(const std::string& name);

}
