#include "platform/ui/scripted_backend.h"

#include <QFileInfo>
#include <QPrinter>

namespace ks::ui {

void ScriptedBackend::answerMessage(Answer answer)
{
    replies_.push_back({Kind::MessageBox, answer});
}

void ScriptedBackend::answerInput(std::optional<QString> text)
{
    Reply r{Kind::InputBox};
    r.accepted = text.has_value();
    r.text = text.value_or(QString());
    replies_.push_back(r);
}

void ScriptedBackend::answerOpen(const QString& path, int filterIndex)
{
    answerFile(Kind::OpenFile, path, filterIndex);
}

void ScriptedBackend::answerSave(const QString& path, int filterIndex)
{
    answerFile(Kind::SaveFile, path, filterIndex);
}

void ScriptedBackend::answerFile(Kind kind, const QString& path, int filterIndex)
{
    Reply r{kind};
    r.accepted = !path.isEmpty();
    r.text = path;
    r.filterIndex = filterIndex;
    replies_.push_back(r);
}

void ScriptedBackend::answerPrint(bool accepted, const QString& pdfFile)
{
    Reply r{Kind::Print};
    r.accepted = accepted;
    r.text = pdfFile;
    replies_.push_back(r);
}

void ScriptedBackend::answerPrintWith(std::function<void(QPrinter&)> choose)
{
    Reply r{Kind::Print};
    r.accepted = true;
    r.choosePrinter = std::move(choose);
    replies_.push_back(r);
}

void ScriptedBackend::answerPageSetup(bool accepted)
{
    Reply r{Kind::PageSetup};
    r.accepted = accepted;
    replies_.push_back(r);
}

void ScriptedBackend::answerFont(std::optional<FontChoice> font)
{
    Reply r{Kind::Font};
    r.accepted = font.has_value();
    r.font = font.value_or(FontChoice());
    replies_.push_back(r);
}

void ScriptedBackend::answerColor(std::optional<QColor> color)
{
    Reply r{Kind::Color};
    r.accepted = color.has_value();
    r.color = color.value_or(QColor());
    replies_.push_back(r);
}

void ScriptedBackend::clear()
{
    replies_.clear();
    records_.clear();
    messageBoxes_.clear();
    failures_.clear();
    beeps_ = 0;
    hourglassChanges_.clear();
}

std::optional<ScriptedBackend::Reply> ScriptedBackend::take(Kind kind, const QString& what)
{
    if (replies_.empty() || replies_.front().kind != kind) {
        failures_ << "unexpected " + what;
        return std::nullopt;
    }
    Reply r = std::move(replies_.front());
    replies_.pop_front();
    return r;
}

Answer ScriptedBackend::messageBox(const MessageBoxRequest& request)
{
    records_.push_back({Kind::MessageBox, request.caption, request.text, request.buttons, request.icon});
    messageBoxes_.push_back(records_.back());
    auto reply = take(Kind::MessageBox, "message box \"" + request.caption + "\": " + request.text);
    if (!reply)
        return cancelAnswerOf(request.buttons).value_or(No);
    return reply->answer;
}

std::optional<QString> ScriptedBackend::inputBox(const InputBoxRequest& request)
{
    records_.push_back({Kind::InputBox, request.caption, request.prompt});
    auto reply = take(Kind::InputBox, "input box: " + request.prompt);
    if (!reply || !reply->accepted)
        return std::nullopt;
    return reply->text;
}

FileDialogResult ScriptedBackend::fileDialog(const FileDialogRequest& request)
{
    Kind kind = request.save ? Kind::SaveFile : Kind::OpenFile;
    Record record{kind, request.title, request.filter};
    record.file = request;
    FileDialogResult result{QString(), request.filterIndex};
    // As the real dialog: the name gets the default extension, and replacing a
    // file asks first; No goes back to the dialog.
    for (;;) {
        records_.push_back(record);
        auto reply = take(kind, request.save ? "save dialog" : "open dialog");
        if (!reply || !reply->accepted)
            return result;
        const QString path = withDefaultExtension(reply->text, request.defaultExt);
        if (request.save && (request.flags & OverwritePrompt) && QFileInfo(path).isFile()) {
            const QString question = QFileInfo(path).fileName() + " already exists.\nDo you want to replace it?";
            if (messageBox({question, QStringLiteral("Save As"), YesNo, Exclamation}) != Yes)
                continue;
        }
        result.path = path;
        if (reply->filterIndex > 0)
            result.filterIndex = reply->filterIndex;
        return result;
    }
}

bool ScriptedBackend::printDialog(QPrinter& printer, QWidget*)
{
    records_.push_back({Kind::Print});
    auto reply = take(Kind::Print, "print dialog");
    if (!reply || !reply->accepted)
        return false;
    if (!reply->text.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(reply->text);
    }
    if (reply->choosePrinter)
        reply->choosePrinter(printer);
    return true;
}

bool ScriptedBackend::pageSetupDialog(QPrinter&, QWidget*)
{
    records_.push_back({Kind::PageSetup});
    auto reply = take(Kind::PageSetup, "page setup dialog");
    return reply && reply->accepted;
}

bool ScriptedBackend::fontDialog(FontChoice& font, QWidget*)
{
    records_.push_back({Kind::Font, QString(), font.face});
    auto reply = take(Kind::Font, "font dialog");
    if (!reply || !reply->accepted)
        return false;
    font = reply->font;
    return true;
}

bool ScriptedBackend::colorDialog(QColor& color, QWidget*)
{
    records_.push_back({Kind::Color});
    auto reply = take(Kind::Color, "colour dialog");
    if (!reply || !reply->accepted)
        return false;
    color = reply->color;
    return true;
}

}
