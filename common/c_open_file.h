#pragma once
// Opens documents with their associated program and composes mail addresses.
// Holds no state: callers make one for each use.
#include <QString>
#include <QtGlobal>

namespace ks {

// The handle that stands for the desktop window when a caller passes none.
inline constexpr qintptr kDesktopWindow = 0x10010;

class cOpenFile {
public:
    // True when the file was handed to its program or to the open-with chooser.
    bool LaunchFile(const QString& lFile, qintptr& hwnd);
    bool LaunchFile(const QString& lFile);
    // True when an address "mailto:<to>?Subject=<subject>[&CC=<cc>]" was handed on.
    bool OpenEmail(const QString& sTo, const QString& sSubject, const QString& sCC, qintptr& hwnd);
    bool OpenEmail(const QString& sTo, const QString& sSubject, const QString& sCC = QString());

    // The address OpenEmail opens, its parts percent-encoded.
    static QString mailtoAddress(const QString& sTo, const QString& sSubject, const QString& sCC);
};

}
