#pragma once
// The recent-file list: up to 26 files of the current user, one registry value
// a file named "a" to "z", and "Order" listing their letters from the most to
// the least recently used. Registry failures reach the caller unchanged; a damaged
// registry database fails the operation that meets it (cRegistry::kStoreDamaged).
#include <QString>
#include <QStringList>

namespace ks {

class clsMRU {
public:
    static constexpr int kSlots = 26;

    // Records sFile, in its long form, as the most recently used file.
    void AddFile(const QString& sFile) const;
    // The text stored under a letter; empty when there is none.
    QString File2(const QString& MRU) const;
    // The file at a position of the order, from 1; empty past its end; fails with 5 below 1.
    QString File(qint32 MRU) const;
    // The existing files, as stored, at positions lStart, lStart + 1, ... below
    // lMax, stopping at the first empty one. lMax is clamped to 26 and lStart
    // raised to 1, and the clamped values written back; a missing one counts as 0.
    QStringList GetFiles(qint32* lMax = nullptr, qint32* lStart = nullptr) const;

    // The key of the list: "SOFTWARE\KWEL\<application title>\MRU".
    static QString section();
};

}
