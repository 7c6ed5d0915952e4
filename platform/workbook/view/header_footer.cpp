#include "platform/workbook/view/header_footer.h"

namespace ks::workbook::view {

std::array<HeaderFooterSection, 3> expandHeaderFooter(const QString& codes, const PageFields& fields)
{
    std::array<HeaderFooterSection, 3> sections;
    HeaderFooterSection* current = &sections[1];
    for (qsizetype i = 0; i < codes.size(); ++i) {
        QChar ch = codes[i];
        if (ch != u'&' || i + 1 >= codes.size()) {
            current->text += ch;
            continue;
        }
        QChar code = codes[++i].toUpper();
        if (code.isDigit()) {
            // One or two digits of font size; a size of 0 would draw nothing, so keep the last.
            int size = code.digitValue();
            if (i + 1 < codes.size() && codes[i + 1].isDigit())
                size = size * 10 + codes[++i].digitValue();
            if (size > 0)
                current->points = size;
            continue;
        }
        switch (code.unicode()) {
        case 'L': current = &sections[0]; break;
        case 'C': current = &sections[1]; break;
        case 'R': current = &sections[2]; break;
        case 'P': current->text += QString::number(fields.page); break;
        case 'N': current->text += QString::number(fields.pages); break;
        case 'D': current->text += fields.date; break;
        case 'T': current->text += fields.time; break;
        case 'F': current->text += fields.fileName; break;
        case 'A': current->text += fields.sheetName; break;
        case 'B': current->bold = !current->bold; break;
        case 'I': current->italic = !current->italic; break;
        case '&': current->text += u'&'; break;
        default: current->text += u'&'; current->text += codes[i]; break;  // not a code: kept as written
        }
    }
    for (auto& s : sections)
        s.text = s.text.trimmed();
    return sections;
}

}
