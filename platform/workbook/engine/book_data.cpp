#include "platform/workbook/engine/book_data.h"

#include <cctype>

namespace ks::workbook {

std::string upperName(const std::string& name)
{
    std::string out = name;
    for (char& ch : out)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

SheetNames BookData::sheetNames() const
{
    std::vector<std::string> upper;
    for (const Sheet& sheet : sheets)
        upper.push_back(upperName(sheet.name));
    return SheetNames{
        [upper = std::move(upper)](const std::string& name) {
            std::string wanted = upperName(name);
            for (std::size_t i = 0; i < upper.size(); ++i)
                if (upper[i] == wanted)
                    return static_cast<int>(i);
            return -1;
        },
        [this](int index) { return sheets[static_cast<std::size_t>(index)].name; },
    };
}

}
