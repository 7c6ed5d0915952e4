#pragma once
// Path operations of the container: folder and file name of a path, its short
// and long forms, and the documents, settings and system folders.
#include <QString>

namespace ks {

class clsPaths {
public:
    // The file name with its extension; fails with 5 when the path names no file.
    QString DoGetFileTitle(const QString& TheFile) const;
    // The folder part, with a trailing separator only when ReturnSlash is true.
    QString DoGetFilePath(const QString& TheFile, bool ReturnSlash = false) const;
    QString shortName(const QString& TheFile) const;
    // Empty when the path cannot be resolved; raises nothing.
    QString LongName(const QString& sShortName) const;
    // The long form built part by part from the root, each part in the case
    // the folder holds it; empty when the path is not absolute or a part is missing.
    QString LongName2(const QString& sShortName) const;
    // Ends in a separator.
    QString GetMyDocsPath() const;
    // Ends in a separator; fails with 5 when the system gives no folder.
    QString GetWinDir() const;
    // Without a trailing separator; fails with 5 when the system gives no folder.
    QString GetSysDir() const;
};

}
