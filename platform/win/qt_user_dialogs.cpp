#include "platform/win/qt_user_dialogs.h"

#include "platform/ui/ui.h"
#include "platform/win/user_dialogs.h"

#include <QStringDecoder>

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
    setUserDialogs(std::move(dialogs));
}

}
