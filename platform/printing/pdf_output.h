#pragma once
// Printing into a PDF file without ever leaving half a file: the job prints into a
// temporary file beside the chosen one, which replaces it (through the one atomic save)
// only when the job finished and the file is whole. Qt's PDF writer does not report a
// failed write, so "whole" is checked on the file: it must end with the "%%EOF" trailer.
#include "platform/files/files.h"

#include <functional>

class QPrinter;

namespace ks::printing {

// Runs job, which begins and ends its own painter on printer and returns false when the
// printer could not print. A printer that is not set to a PDF file just runs the job. On
// failure the chosen file is as it was and the outcome says why; an exception from the job
// passes on, the file likewise untouched.
files::Outcome printWhole(QPrinter& printer, const std::function<bool()>& job);

}
