#pragma once
// Windows-1252 at the screen's edge: the libraries' 8-bit text to screen text and back.
// Every byte maps to one UTF-16 unit, so columns and string indexes agree, and every
// byte comes back as it went (the five bytes Windows-1252 leaves undefined stand for
// themselves), so file names and other bytes pass through unchanged.
#include <QString>

#include <string>
#include <string_view>

namespace ks::ui {

QChar charFromCp1252(unsigned char byte);
QString fromCp1252(std::string_view bytes);

struct Cp1252Text {
    std::string bytes;
    int replaced = 0;   // characters outside Windows-1252, now "?"
};
// Line ends become "\r\n" so that the editor model makes paragraph marks of them;
// a control's text keeps its line ends as they are.
enum class LineEnds { CrLf, AsTheyAre };
Cp1252Text toCp1252(const QString& text, LineEnds ends = LineEnds::CrLf);
bool inCp1252(QChar c);

}
