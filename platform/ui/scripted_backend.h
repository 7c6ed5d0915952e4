#pragma once
// A backend for tests: answers from a queue, in order, and records every box
// and dialog. A box with no queued answer of its kind is a failure: it is
// recorded and answered as Esc would answer it.
#include "platform/ui/ui.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace ks::ui {

class ScriptedBackend : public Backend {
public:
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile, Print, PageSetup, Font, Color };

    struct Record {
        Kind kind;
        QString caption;
        QString text;
        int buttons = 0;
        int icon = 0;
        FileDialogRequest file;
    };

    // Queued answers, taken in order by the next box or dialog of their kind.
    void answerMessage(Answer answer);
    void answerInput(std::optional<QString> text);
    void answerOpen(const QString& path, int filterIndex = 0);   // 0 keeps the index passed in
    void answerSave(const QString& path, int filterIndex = 0);
    void answerPrint(bool accepted, const QString& pdfFile = QString());
    // Confirms the print dialog after choose has changed the printer as a user would.
    void answerPrintWith(std::function<void(QPrinter&)> choose);
    void answerPageSetup(bool accepted);
    void answerFont(std::optional<FontChoice> font);
    void answerColor(std::optional<QColor> color);

    const std::vector<Record>& records() const { return records_; }
    const std::vector<Record>& messageBoxes() const { return messageBoxes_; }
    const QStringList& failures() const { return failures_; }
    int pendingAnswers() const { return int(replies_.size()); }
    int beeps() const { return beeps_; }
    const std::vector<bool>& hourglassChanges() const { return hourglassChanges_; }
    void clear();

    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> inputBox(const InputBoxRequest& request) override;
    FileDialogResult fileDialog(const FileDialogRequest& request) override;
    bool printDialog(QPrinter& printer, QWidget* owner) override;
    bool pageSetupDialog(QPrinter& printer, QWidget* owner) override;
    bool fontDialog(FontChoice& font, QWidget* owner) override;
    bool colorDialog(QColor& color, QWidget* owner) override;
    void beep() override { ++beeps_; }
    void setHourglass(bool on) override { hourglassChanges_.push_back(on); }

private:
    struct Reply {
        Kind kind;
        Answer answer = OK;
        bool accepted = false;   // dialogs: confirmed rather than cancelled
        QString text;
        int filterIndex = 0;
        FontChoice font;
        QColor color;
        std::function<void(QPrinter&)> choosePrinter;
    };

    void answerFile(Kind kind, const QString& path, int filterIndex);
    // The next reply when it is of this kind; otherwise records a failure.
    std::optional<Reply> take(Kind kind, const QString& what);

    std::deque<Reply> replies_;
    std::vector<Record> records_;
    QStringList failures_;
    int beeps_ = 0;
    std::vector<bool> hourglassChanges_;
    std::vector<Record> messageBoxes_;   // the message-box records, in order
};

}
