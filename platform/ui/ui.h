#pragma once
// Every interaction with the user that the programs have: message and input
// boxes, the common dialogs, the beep and the screen-wide pointer. One
// interface; the Qt backend shows real dialogs, the scripted backend answers
// tests from a queue and records every box.
#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>

class QPrinter;

namespace ks::ui {

// Button sets and icons combine in one style word, as the programs pass them.
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
inline constexpr int NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64;
enum Answer : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

constexpr int buttonsOf(int style) { return style & 0x0F; }
constexpr int iconOf(int style) { return style & 0x70; }
// Whether a button set has a Cancel-like answer that Esc and the close box give.
std::optional<Answer> cancelAnswerOf(int buttons);

struct MessageBoxRequest {
    QString text;       // as the program wrote it: CR or CR LF separate lines
    QString caption;    // empty: the application title
    int buttons = OKOnly;
    int icon = NoIcon;
};

struct InputBoxRequest {
    QString prompt;
    QString caption;
    QString defaultText;
};

// Open and save dialogs. Flags are the programs' 32-bit flag words; only the
// three below have an effect here.
enum FileDialogFlag : std::uint32_t {
    OverwritePrompt = 0x2,
    HideReadOnly = 0x4,
    PathMustExist = 0x800,
    FileMustExist = 0x1000,
    Explorer = 0x80000,
};

struct FileDialogRequest {
    bool save = false;
    QString filter;          // "Text|pattern|Text|pattern"
    QString defaultExt;      // without the dot
    QString startFolder;
    QString title;           // empty: the dialog's own title
    QString fileName;        // initial name
    std::uint32_t flags = 0;
    int filterIndex = 1;     // 1-based
    QWidget* owner = nullptr;
};

struct FileDialogResult {
    QString path;            // "" when cancelled
    int filterIndex = 1;     // the filter in use when confirmed
};

struct FontChoice {
    QString face;
    double points = 10;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    QColor color = Qt::black;
};

// Converts "Text|pattern|..." pairs into Qt's name filters ("Text (pattern)"); a text
// that already ends in its patterns ("Scorecard Files (*.vqa)") is taken as it is.
QStringList nameFiltersOf(const QString& filter);
// A name typed without an extension gets the default one, as the dialogs add it.
QString withDefaultExtension(const QString& path, const QString& defaultExt);
// The patterns of the 1-based filter entry ("*.vqa;*.tem" → {"*.vqa", "*.tem"}).
QStringList patternsOf(const QString& filter, int filterIndex);

class Backend {
public:
    virtual ~Backend() = default;
    virtual Answer messageBox(const MessageBoxRequest& request) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> inputBox(const InputBoxRequest& request) = 0;
    virtual FileDialogResult fileDialog(const FileDialogRequest& request) = 0;
    // The dialogs below change their argument only when confirmed.
    virtual bool printDialog(QPrinter& printer, QWidget* owner) = 0;
    virtual bool pageSetupDialog(QPrinter& printer, QWidget* owner) = 0;
    virtual bool fontDialog(FontChoice& font, QWidget* owner) = 0;
    virtual bool colorDialog(QColor& color, QWidget* owner) = 0;
    virtual void beep() = 0;
    virtual void setHourglass(bool on) = 0;
};

// The backend in use: the Qt backend unless one was installed.
Backend& backend();
// Installs a backend (not owned); nullptr goes back to the Qt backend.
void setBackend(Backend* backend);

// Convenience calls in the programs' own terms.
Answer MsgBox(const QString& text, int style = OKOnly, const QString& caption = QString());
QString InputBox(const QString& prompt, const QString& caption = QString(), const QString& defaultText = QString());
void Beep();
// The hourglass is one screen-wide state: on and off, never a stack.
void setHourglass(bool on);
bool hourglass();

// Text of a message as it is shown: CR LF and lone CRs become line breaks.
QString displayText(const QString& text);

}
