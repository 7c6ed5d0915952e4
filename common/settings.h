#pragma once
// The main program's settings file "Vidsettings.nml" in the program folder:
// SETTINGS/<key> elements read into module variables at every start-up pass,
// and one store procedure that writes a single existing element back.
#include <QString>
#include <functional>
#include <pugixml.hpp>

namespace ks {

inline const QString kSettingsFileName = QStringLiteral("Vidsettings.nml");

// Settings variables, refreshed by LoadSettings.
extern QString AppTitle;
extern QString VideoPath;
extern QString LastFilePath;
extern QString GraphFolder;
extern QString CoachModeText;
extern QString CurrentVideoFolder;
extern QString CommentVideoFolder;
extern QString SilentVideoFolder;
extern QString VideoBaseFolder;
// 1 while the video-folder dialog opened by the check is waiting for an answer.
extern int VideoSetupPending;

// How the check reaches the video-folder dialog; the program fills it in.
struct VideoFolderDialogSeam {
    std::function<void(const QString& explanation)> setExplanation;
    std::function<void()> showModeless;
};
void setVideoFolderDialogSeam(VideoFolderDialogSeam seam);

// A loaded settings file: its XML and the bytes it was read from, so that a
// save changes only the element that was set and keeps the rest as written.
struct SettingsDocument {
    pugi::xml_document xml;
    QByteArray original;
};

void LoadSettings();
// Text of SETTINGS/<key>, a key may name nested elements ("EXPORT/HEADER/BOLD");
// "" when there is no such element.
QString GetXMLNodeText(const QString& key, const SettingsDocument& document);
// Sets an existing SETTINGS/<key> to value and saves the document as the
// settings file; a missing element changes and saves nothing.
void setXMLNodeText(const QString& key, const QString& value, SettingsDocument& document);
// Reloads the settings file and writes SettingValue into its SETTINGS/<SettingKey>.
void StoreSetting(const QString& SettingKey, const QString& SettingValue);

// The settings file's full path.
QString SettingsFilePath();
// Loads an XML settings file; false when it is missing or not well-formed.
bool LoadSettingsDocument(const QString& path, SettingsDocument& document);
// Writes the document whole to a temporary file beside path, then renames it over path.
void SaveSettingsDocument(const SettingsDocument& document, const QString& path);

}
