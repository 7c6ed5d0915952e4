#pragma once
// The container's configuration, read once at start-up from "Settings.nml" in
// the program folder and never written. Keys the container does not act on
// are read and kept all the same: they are part of the file's format.
#include <QString>

namespace ks::container {

inline const QString kSettingsFileName = QStringLiteral("Settings.nml");

// One EXPORT font section.
struct ExportFont {
    bool bold = false, italic = false, underline = false;
    double size = 0;
    QString font;
};

struct ContainerSettings {
    QString title;            // TITLE: window captions and the registry keys of the window and the list-bar prompt
    QString slice;            // SLICE
    QString appDescription;   // APPDESCRIPTION: the about window's description
    QString map;              // MAP: the document type's name in the document dialog
    QString ext;              // EXT: the document extension without the point
    QString templateEnding;   // TEMPLATE: the last three letters of a template file's name
    QString node, link, flat, flatExt;
    bool author = false;
    QString memoryText;       // MEMORYTEXT: shown when an open is refused for low resources
    int memory = 0;
    ExportFont exportFont, header, data;
};

// The values read; empty until LoadSettings found the file.
ContainerSettings& settings();

// Reads "Settings.nml". A missing or damaged file changes nothing; the
// application title becomes TITLE once every key was read.
void LoadSettings();

// The number at the start of text, whatever the locale; 0 when there is none.
double leadingNumber(const QString& text);
// A flag written "True", "False" or as a number; anything else, or nothing, is false.
bool flagText(const QString& text);

}
