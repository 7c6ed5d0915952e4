// Reading and writing the book's files.
#include "platform/workbook/engine/atomic_file.h"
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/native_file.h"
#include "platform/workbook/engine/xlsx_export.h"

namespace ks::workbook {

namespace {
constexpr std::size_t kMaxFileBytes = 256u << 20;
}

void Book::replaceData(BookData&& fresh)
{
    data_ = std::move(fresh);
    recalc_ = Recalc{};
    notify(BookChange::Whole, -1);
}

int Book::ReadBookFile(const std::string& path)
{
    BookData fresh = readNativeXml(readWholeFile(path, kMaxFileBytes));
    fresh.fileName = path;
    replaceData(std::move(fresh));
    return kFileNative;
}

void Book::LoadBookFile(const std::string& path)
{
    ReadBookFile(path);
}

void Book::WriteBookFile(const std::string& path, int type)
{
    if (path.empty())
        raise(kErrFileWrite, "No file name given");
    ensureCurrent();
    if (type == kFileNative)
        writeFileAtomically(path, writeNativeXml(data_));
    else if (type == kFileXlsx)
        replaceFileAtomically(path, [this](const std::string& temp) { writeXlsx(data_, temp); });
    else
        raise(kErrBadArgument, "Unsupported file type " + std::to_string(type));
}

void Book::WriteBookAs(const std::string& path, int type)
{
    WriteBookFile(path, type);
    data_.fileName = path;
}

}
