// The workbook control's own dialogs: cell format, paste special, and the file dialogs
// through the ui layer.
#include "platform/ui/ui.h"
#include "platform/workbook/view/cell_painter.h"
#include "platform/workbook/view/format_dialog.h"
#include "platform/workbook/view/grid_view.h"
#include "platform/workbook/view/paste_special_dialog.h"
#include "platform/workbook/view/workbook_control.h"

#include <QFileInfo>

namespace ks::workbook::view {

namespace {
const QString kSaveFilter = "Workbook (*.vqa)|*.vqa|Excel workbook (*.xlsx)|*.xlsx";
const QString kOpenFilter = "Workbook files (*.vqa;*.tem;*.rt)|*.vqa;*.tem;*.rt|All files (*.*)|*.*";

int filterOfType(int type) { return type == kFileXlsx ? 2 : 1; }
int typeOfFilter(int index) { return index == 2 ? kFileXlsx : kFileNative; }
QString extensionOfType(int type) { return type == kFileXlsx ? "xlsx" : "vqa"; }

void chooseFont(Book& book, QWidget* owner)
{
    Font font = book.GetSelectionFont();
    ui::FontChoice choice;
    choice.face = QString::fromStdString(font.name);
    choice.points = font.size;
    choice.bold = font.bold;
    choice.italic = font.italic;
    choice.underline = font.underline;
    choice.color = colorOf(font.color);
    if (!ui::backend().fontDialog(choice, owner))
        return;
    font.name = choice.face.toStdString();
    font.size = choice.points;
    font.bold = choice.bold;
    font.italic = choice.italic;
    font.underline = choice.underline;
    font.color = std::int32_t(choice.color.rgb() & 0xFFFFFF);
    book.SetSelectionFont(font);
}

void applyFormat(Book& book, const CellFormat& f, int pages)
{
    if (pages & FormatCellsDialog::NumberPage)
        book.setSelectionNumberFormat(f.numberFormat);
    if (pages & FormatCellsDialog::AlignmentPage)
        book.SetSelectionAlignment(int(f.hAlign) + 1, f.wrap, int(f.vAlign) + 1, f.orientation);
    if (pages & FormatCellsDialog::ProtectionPage)
        book.SetSelectionProtection(f.locked, f.hidden);
}
}

void WorkbookControl::FormatDialog(int page)
{
    grid_->commitEdit();
    int pages = 0;
    switch (page) {
    case 4: chooseFont(*book_, this); return;
    case 2: pages = FormatCellsDialog::AlignmentPage; break;
    case 24: case 56: pages = FormatCellsDialog::NumberPage | FormatCellsDialog::ProtectionPage; break;
    default: workbook::raise(kErrBadArgument, "Invalid format dialog page");
    }
    CellPos c = book_->GetCursorCell();
    FormatCellsDialog dialog(book_->CellFormatAt(book_->CurrentSheet(), c.row, c.col), pages, this);
    if (dialog.exec() == QDialog::Accepted)
        applyFormat(*book_, dialog.chosen(), pages);
}

bool WorkbookControl::PasteSpecialDialog()
{
    grid_->commitEdit();
    view::PasteSpecialDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PasteSpecial(dialog.what(), 0);
    return true;
}

void WorkbookControl::SaveDialog(const std::string& title, FileChoice& choice)
{
    ui::FileDialogRequest request;
    request.save = true;
    request.filter = kSaveFilter;
    request.title = QString::fromStdString(title);
    request.fileName = QString::fromStdString(choice.name);
    request.filterIndex = filterOfType(choice.type);
    request.defaultExt = extensionOfType(choice.type);
    request.flags = ui::OverwritePrompt | ui::HideReadOnly | ui::PathMustExist;
    request.owner = this;
    ui::FileDialogResult result = ui::backend().fileDialog(request);
    if (result.path.isEmpty())
        workbook::raise(kErrDialogCancelled, "The dialog was cancelled");
    int type = typeOfFilter(result.filterIndex);
    QString path = result.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += "." + extensionOfType(type);
    choice.name = path.toStdString();
    choice.type = type;
}

std::string WorkbookControl::OpenDialog(const std::string& title, int)
{
    ui::FileDialogRequest request;
    request.filter = kOpenFilter;
    request.title = QString::fromStdString(title);
    request.flags = ui::FileMustExist | ui::HideReadOnly;
    request.owner = this;
    return ui::backend().fileDialog(request).path.toStdString();
}

}
