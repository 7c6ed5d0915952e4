#include "platform/win/qt_user_dialogs.h"

#include "platform/ui/ui.h"
#include "platform/win/user_dialogs.h"

#include <QColorDialog>
#include <QStringDecoder>
#include <cmath>

namespace ks::win {
namespace {

// The libraries' texts: file names are UTF-8; other 8-bit text is read as Latin-1.
QString libraryText(const std::string& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(QByteArrayView(text.data(), qsizetype(text.size())));
    return utf8.hasError() ? QString::fromLatin1(text.data(), qsizetype(text.size())) : decoded;
}

// "*.HTM" also shows "x.htm": the libraries write their patterns in capitals.
QString bothCases(const std::string& filter)
{
    QStringList parts = libraryText(filter).split('|');
    for (int i = 1; i < parts.size(); i += 2) {
        QStringList patterns = parts[i].split(';', Qt::SkipEmptyParts);
        for (const QString& p : QStringList(patterns))
            if (!patterns.contains(p.toLower()))
                patterns << p.toLower();
        parts[i] = patterns.join(';');
    }
    return parts.join('|');
}

FileChoice fileDialog(bool save, const OPENFILENAME& request, const std::string& filter)
{
    ui::FileDialogRequest r;
    r.save = save;
    r.filter = bothCases(filter);
    r.defaultExt = libraryText(request.lpstrDefExt ? request.lpstrDefExt : "");
    r.title = libraryText(request.lpstrTitle ? request.lpstrTitle : "");
    r.fileName = libraryText(request.lpstrFile ? request.lpstrFile : "");
    r.filterIndex = request.nFilterIndex > 0 ? request.nFilterIndex : 1;
    r.flags = request.Flags & (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    ui::FileDialogResult chosen = ui::backend().fileDialog(r);
    return {chosen.path.toStdString(), chosen.filterIndex};
}

QColor qtColour(COLORREF c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
COLORREF colourRef(const QColor& c) { return COLORREF(c.red() | (c.green() << 8) | (c.blue() << 16)); }

bool fontDialog(HWND, FontPick& pick)
{
    ui::FontChoice font;
    font.face = libraryText(pick.face);
    font.points = pick.tenthsOfPoint / 10.0;
    font.bold = pick.bold;
    font.italic = pick.italic;
    font.underline = pick.underline;
    font.strikeOut = pick.strikeOut;
    font.color = qtColour(pick.colour);
    if (!ui::backend().fontDialog(font, nullptr))
        return false;
    pick.face = font.face.toLatin1().toStdString();
    pick.tenthsOfPoint = int(std::lround(font.points * 10));
    pick.bold = font.bold;
    pick.italic = font.italic;
    pick.underline = font.underline;
    pick.strikeOut = font.strikeOut;
    pick.colour = colourRef(font.color);
    return true;
}

// The sixteen custom colours are the colour dialog's own, shown and kept by it.
bool colourDialog(HWND, ColourPick& pick)
{
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, qtColour(pick.custom[i]));
    QColor colour = pick.initial ? qtColour(pick.colour) : QColor(Qt::white);
    bool chosen = ui::backend().colorDialog(colour, nullptr);
    for (int i = 0; i < 16; ++i)
        pick.custom[i] = colourRef(QColorDialog::customColor(i));
    if (chosen)
        pick.colour = colourRef(colour);
    return chosen;
}

}

void useUiDialogs()
{
    UserDialogs dialogs;
    dialogs.messageBox = [](HWND, const std::string& text, const std::string& caption, UINT type) {
        return int(ui::MsgBox(libraryText(text), int(type & 0x7F), libraryText(caption)));
    };
    dialogs.fileDialog = fileDialog;
    dialogs.waitCursor = [](bool on) { ui::setHourglass(on); };
    dialogs.beep = [] { ui::Beep(); };
    dialogs.fontDialog = fontDialog;
    dialogs.colourDialog = colourDialog;
    setUserDialogs(std::move(dialogs));
}

}
