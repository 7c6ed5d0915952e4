#include "common/c_open_file.h"

#include "platform/runtime/runtime_error.h"
#include "platform/shell/shell.h"
#include "platform/ui/failure.h"
#include "platform/ui/ui.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

namespace ks {
namespace {

QString encoded(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

}

bool cOpenFile::LaunchFile(const QString& lFile)
{
    qintptr hwnd = 0;
    return LaunchFile(lFile, hwnd);
}

bool cOpenFile::LaunchFile(const QString& lFile, qintptr& hwnd)
{
    try {
        if (hwnd == 0)
            hwnd = kDesktopWindow;
        switch (shell::shell().open(lFile)) {
        case shell::OpenResult::Done:
            return true;
        case shell::OpenResult::NoAssociation:
            // Offering the chooser counts as launched; not being able to offer it does not.
            switch (shell::shell().openWith(lFile, QApplication::activeWindow())) {
            case shell::OpenWithResult::Opened:
                return true;
            case shell::OpenWithResult::Cancelled:
                // A file made for the user (an export in a temporary folder) is otherwise lost from sight.
                ui::MsgBox("No program was chosen to open the file. It is kept at:\r\n'"
                               + QFileInfo(lFile).absoluteFilePath() + "'",
                           ui::OKOnly | ui::Information);
                return true;
            case shell::OpenWithResult::Unavailable:
                return false;
            case shell::OpenWithResult::Failed:
                break;
            }
            break;
        case shell::OpenResult::Failed:
            break;
        }
        ui::MsgBox("Cannot Launch Program! \r\nCan not find the following file\r\n'" + lFile + "'",
                   ui::OKOnly | ui::Exclamation);
        return false;
    } catch (const RuntimeError& e) {
        ui::showFailure(e, "Error in launching the EXE");
        return false;
    }
}

QString cOpenFile::mailtoAddress(const QString& sTo, const QString& sSubject, const QString& sCC)
{
    QString address = "mailto:" + encoded(sTo, "@,") + "?Subject=" + encoded(sSubject);
    if (!sCC.isEmpty())
        address += "&CC=" + encoded(sCC, "@,");
    return address;
}

bool cOpenFile::OpenEmail(const QString& sTo, const QString& sSubject, const QString& sCC)
{
    qintptr hwnd = 0;
    return OpenEmail(sTo, sSubject, sCC, hwnd);
}

bool cOpenFile::OpenEmail(const QString& sTo, const QString& sSubject, const QString& sCC, qintptr& hwnd)
{
    if (hwnd == 0)
        hwnd = kDesktopWindow;
    if (shell::shell().open(mailtoAddress(sTo, sSubject, sCC)) == shell::OpenResult::Done)
        return true;
    ui::MsgBox("Cannot launch mail program! \r\nPlease ensure that a program that is capable of using the mailto "
               "extension is installed.",
               ui::OKOnly | ui::Exclamation);
    return false;
}

}
