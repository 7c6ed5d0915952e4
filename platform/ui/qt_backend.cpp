#include "platform/ui/qt_backend.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace ks::ui {
namespace {

QWidget* ownerOr(QWidget* owner)
{
    return owner ? owner : QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(int icon)
{
    switch (icon) {
    case Critical: return QMessageBox::Critical;
    case Question: return QMessageBox::Question;
    case Exclamation: return QMessageBox::Warning;
    case Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonChoice { QMessageBox::StandardButton button; Answer answer; };

std::vector<ButtonChoice> buttonChoices(int buttons)
{
    switch (buttons) {
    case OKCancel: return {{QMessageBox::Ok, OK}, {QMessageBox::Cancel, Cancel}};
    case AbortRetryIgnore: return {{QMessageBox::Abort, Abort}, {QMessageBox::Retry, Retry}, {QMessageBox::Ignore, Ignore}};
    case YesNoCancel: return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
    case YesNo: return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
    case RetryCancel: return {{QMessageBox::Retry, Retry}, {QMessageBox::Cancel, Cancel}};
    default: return {{QMessageBox::Ok, OK}};
    }
}

}

Answer QtBackend::messageBox(const MessageBoxRequest& request)
{
    QMessageBox box(qtIcon(request.icon), request.caption, displayText(request.text),
                    QMessageBox::NoButton, ownerOr(nullptr));
    std::vector<ButtonChoice> choices = buttonChoices(request.buttons);
    for (const auto& choice : choices)
        box.addButton(choice.button);
    box.setDefaultButton(choices.front().button);
    if (auto cancel = cancelAnswerOf(request.buttons)) {
        for (const auto& choice : choices)
            if (choice.answer == *cancel)
                box.setEscapeButton(choice.button);
    }
    box.exec();
    auto clicked = box.standardButton(box.clickedButton());
    for (const auto& choice : choices)
        if (choice.button == clicked)
            return choice.answer;
    return cancelAnswerOf(request.buttons).value_or(choices.front().answer);
}

std::optional<QString> QtBackend::inputBox(const InputBoxRequest& request)
{
    bool ok = false;
    QString text = QInputDialog::getText(ownerOr(nullptr), request.caption, displayText(request.prompt),
                                         QLineEdit::Normal, request.defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

FileDialogResult QtBackend::fileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(ownerOr(request.owner), request.title, request.startFolder);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const bool mustExist = !request.save && (request.flags & FileMustExist);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.save || !(request.flags & OverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultExt.isEmpty())
        dialog.setDefaultSuffix(request.defaultExt);
    QStringList filters = nameFiltersOf(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = std::clamp(request.filterIndex, 1, int(filters.size()));
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.fileName.trimmed().isEmpty())
        dialog.selectFile(request.fileName.trimmed());

    FileDialogResult result{QString(), request.filterIndex};
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        QString path = withDefaultExtension(dialog.selectedFiles().front(), request.defaultExt);
        if ((request.flags & PathMustExist) && !QFileInfo(QFileInfo(path).absolutePath()).isDir())
            continue;
        result.path = path;
        int chosen = int(filters.indexOf(dialog.selectedNameFilter()));
        if (chosen >= 0)
            result.filterIndex = chosen + 1;
        break;
    }
    return result;
}

bool QtBackend::printDialog(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, ownerOr(owner));
    return dialog.exec() == QDialog::Accepted;
}

bool QtBackend::pageSetupDialog(QPrinter& printer, QWidget* owner)
{
    QPageSetupDialog dialog(&printer, ownerOr(owner));
    return dialog.exec() == QDialog::Accepted;
}

bool QtBackend::fontDialog(FontChoice& font, QWidget* owner)
{
    QFont initial(font.face);
    initial.setPointSizeF(font.points > 0 ? font.points : 10);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikeOut);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, ownerOr(owner));
    if (!ok)
        return false;
    font.face = chosen.family();
    font.points = chosen.pointSizeF();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    return true;
}

bool QtBackend::colorDialog(QColor& color, QWidget* owner)
{
    QColor chosen = QColorDialog::getColor(color, ownerOr(owner));
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

void QtBackend::beep() { QApplication::beep(); }

void QtBackend::setHourglass(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

}
