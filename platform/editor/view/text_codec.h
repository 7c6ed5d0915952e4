#pragma once
// Windows-1252 at the view's edge: the model's bytes to screen text and back.
// Every byte maps to one UTF-16 unit, so columns and string indexes agree.
#include <QString>

#include <string>
#include <string_view>

namespace ks::editor::view {

QChar charFromCp1252(unsigned char byte);
QString fromCp1252(std::string_view bytes);

struct Cp1252Text {
    std::string bytes;
    int replaced = 0;   // characters outside Windows-1252, now "?"
};
// Line ends become "\r\n" so that the model makes paragraph marks of them.
Cp1252Text toCp1252(const QString& text);

}
