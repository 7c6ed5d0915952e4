// Reading and writing the book's files.
#include "platform/files/files.h"
#include "platform/workbook/engine/book.h"
#include "platform/workbook/engine/errors.h"
#include "platform/workbook/engine/native_file.h"
#include "platform/workbook/engine/xlsx_export.h"

namespace ks::workbook {

namespace {
void check(const files::Outcome& outcome, int number, const char* verb, const std::string& path)
{
    if (!outcome)
        raise(number, std::string("Cannot ") + verb + " \"" + path + "\": " + outcome.reason);
}
}

void Book::replaceData(BookData&& fresh)
{
    data_ = std::move(fresh);
    recalc_ = Recalc{};
    notify(BookChange::Whole, -1);
}

int Book::ReadBookFile(const std::string& path)
{
    std::string bytes;
    check(files::readFile(path, bytes), kErrFileUnreadable, "read", path);
    BookData fresh = readNativeXml(std::move(bytes));
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
        check(files::saveFile(path, writeNativeXml(data_)), kErrFileWrite, "write", path);
    else if (type == kFileXlsx)
        check(files::saveFileWith(path, [&](const std::string& temp) { writeXlsx(data_, temp, path); }), kErrFileWrite,
              "write", path);
    else
        raise(kErrBadArgument, "Unsupported file type " + std::to_string(type));
}

void Book::WriteBookAs(const std::string& path, int type)
{
    WriteBookFile(path, type);
    data_.fileName = path;
}

}
