#pragma once
// The book's own file format (type 5): versioned XML holding everything the book holds.
// Formula results are not stored; they are recomputed after a read.
#include "platform/workbook/engine/book_data.h"

#include <string>

namespace ks::workbook {

constexpr int kNativeFormatVersion = 1;

std::string writeNativeXml(const BookData& book);
// Raises kErrFileUnreadable for anything that is not a complete, valid book file.
// The bytes are parsed where they lie, so they are taken.
BookData readNativeXml(std::string bytes);

}
