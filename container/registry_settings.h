#pragma once
// The container's values in the registry: the start-up offer (and the print
// settings) under its own key, read per user with the machine's value as the
// fallback and written per user only; and the list-bar prompt under a key
// named after the application title.
#include <QString>

namespace ks::container {

// The key of the start-up offer and the print settings.
inline const QString kOwnKey = QStringLiteral("SOFTWARE\\Talvane\\Quillfen");

// The user's value, else the machine's, else defaultValue. Failures are
// passed on labelled "GetSet".
QString GetSet(const QString& name, const QString& defaultValue = QString());
// Writes the user's value; failures are passed on labelled "SaveSet".
void SaveSet(const QString& name, const QString& value);

// True unless "DontStartup" holds a number other than 0.
bool GetStartupOffer();
// Stores the offer and ticks or clears "mnuViewStartup" in every main window.
void SetStartupOffer(bool on);

// The list-bar prompt: "RB_Bar" under SOFTWARE\<application title>, -1 (or
// nothing) while the prompt is to be shown, else the stored choice.
class clsRB {
public:
    static constexpr qint32 kShowPrompt = -1;

    qint32 Choice() const { return choice_; }
    void setChoice(qint32 choice) { choice_ = choice; }
    bool SaveValue() const { return saveValue_; }
    void setSaveValue(bool save) { saveValue_ = save; }

    // Stores Choice when nothing is stored and both Choice and SaveValue are
    // set; otherwise takes the stored choice. Returns Choice.
    qint32 DisplayPrompt(bool bDefault = false);
    void ResetPrompt();
    // True while no choice is stored.
    bool GetDisplayPrompt() const;

private:
    qint32 choice_ = 0;
    bool saveValue_ = false;
};

}
