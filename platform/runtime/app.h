#pragma once
// The application object: program folder, title, version and the texts the
// about window shows. One per process; set up by each program's entry.
#include <QString>

namespace ks {

class App {
public:
    // The program folder: the executable's folder unless a test or the
    // KS_PROGRAM_DIR variable points elsewhere. No trailing separator.
    static QString path();
    static void setPath(const QString& folder);

    static QString exeName();                 // "kestrune", "container"
    static void setExeName(const QString& name);

    // The application title: message-box captions without one of their own.
    static QString title();
    static void setTitle(const QString& title);

    static int major();
    static int minor();
    static int revision();
    static void setVersion(int major, int minor, int revision);

    static QString fileDescription();
    static QString legalCopyright();
    static QString comments();
    static void setDescriptions(const QString& fileDescription, const QString& legalCopyright,
                                const QString& comments);
};

}
